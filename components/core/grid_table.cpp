#include "grid_table.h"

#include <algorithm>

#include "col_stream.h"
#include "column_types.h"
#include "guards.h"
#include "object_list.h"

namespace korva::components {

namespace {
constexpr const char* kWrongType = "Data of wrong type";

template <class T>
void CheckListIndex(const std::vector<T>& list, int index)
{
    if (index < 0 || index >= static_cast<int>(list.size()))
        RaiseListIndexError(index);
}
} // namespace

// ---------------------------------------------------------------------------
// TData

int TData::Row() const { return column_->IndexOfRow(this); }
TGridTable& TData::GetAsTable() const { return column_->GetAsTable(Row()); }
Extended TData::GetAsFloat() const { return column_->GetAsFloat(Row()); }
std::int32_t TData::GetAsInteger() const { return column_->GetAsInteger(Row()); }
std::string TData::GetAsString() const { return column_->GetAsString(Row()); }
void TData::SetAsFloat(Extended value) const { column_->SetAsFloat(Row(), value); }
void TData::SetAsInteger(std::int32_t value) const { column_->SetAsInteger(Row(), value); }
void TData::SetAsString(const std::string& text) const { column_->SetAsString(Row(), text); }

// ---------------------------------------------------------------------------
// TColumn

TColumn::~TColumn() = default;

int TColumn::Index() const { return owner_ ? owner_->IndexOfColumn(this) : -1; }

TData& TColumn::Row(int row) { return *rows_.Items(row); }

int TColumn::IndexOfRow(const TData* proxy) const { return rows_.IndexOf(proxy); }

void TColumn::CheckRow(int row) const { rows_.Items(row); }

std::string TColumn::GetHeader(int i) const
{
    CheckListIndex(headers_, i);
    return headers_[static_cast<std::size_t>(i)];
}

void TColumn::InsertRows(int at, int count)
{
    if (at < 0 || at > RowCount())
        RaiseListIndexError(at);
    for (int i = 0; i < count; ++i)
        rows_.Insert(at + i, new TData(*this));
}

void TColumn::DeleteRow(int row) { rows_.Delete(row); }

void TColumn::UndoInsertRows(int at, int count)
{
    for (int i = 0; i < count; ++i)
        DeleteRow(at);
}

TGridTable& TColumn::GetAsTable(int) { throw EInvalidCast(kWrongType); }
Extended TColumn::GetAsFloat(int) const { throw EInvalidCast(kWrongType); }
void TColumn::SetAsFloat(int, Extended) { throw EInvalidCast(kWrongType); }
std::int32_t TColumn::GetAsInteger(int) const { throw EInvalidCast(kWrongType); }
void TColumn::SetAsInteger(int, std::int32_t) { throw EInvalidCast(kWrongType); }
TCellObject* TColumn::GetObject(int) { throw EInvalidCast(kWrongType); }
std::string TColumn::GetAsString(int) const { return {}; }
void TColumn::SetAsString(int, const std::string&) {}
void TColumn::SetUnits(int) {}

int TColumn::RowGroup() const { return owner_ ? owner_->RowGroup() : 1; }

int TColumn::ColumnWidth(const TTextMeasure& measure) const
{
    int width = 0;
    if (!measure.TextWidth)
        return width;
    for (int i = 0; i < HeaderCount(); ++i)
        width = std::max(width, measure.TextWidth(GetHeader(i) + "  "));
    return width;
}

const TCellControl& TColumn::Controls(int i) const
{
    CheckListIndex(controls_, i);
    return controls_[static_cast<std::size_t>(i)];
}

void TColumn::AllocateControls(const void*, int, int) {}

void TColumn::ReleaseControls()
{
    controlsParent_ = nullptr;
    controls_.clear();
}

std::pair<int, int> TColumn::GroupOf(int row) const
{
    const int group = RowGroup();
    const int first = group * (row / group);
    const int count = std::min(group, RowCount() - first);
    return {first, count};
}

std::pair<int, int> TColumn::WrittenRows(int row) const
{
    CheckRow(row);
    return Grouped ? GroupOf(row) : std::pair<int, int>{row, 1};
}

void TColumn::NotifyCellChanged(int row)
{
    if (owner_)
        owner_->CellChanged(*this, row);
}

void TColumn::FocusCell(int row)
{
    if (owner_)
        owner_->FocusCell(*this, row);
}

void TColumn::WriteData(TColWriter& writer) const
{
    writer.WriteStringList(headers_);
    writer.WriteBoolean(Visible);
    writer.WriteBoolean(Grouped);
    WriteOwnData(writer);
}

std::unique_ptr<TColumn> TColumn::CreateFromReader(const TColumnClass& cls, TGridTable* owner, TColReader& reader)
{
    auto column = cls.Create(owner);
    column->headers_ = reader.ReadStringList();
    column->Visible = reader.ReadBoolean();
    column->Grouped = reader.ReadBoolean();
    column->ReadOwnData(reader);
    return column;
}

std::unique_ptr<TColumn> TColumn::Clone(TGridTable* newOwner) const
{
    auto column = Class().Create(newOwner);
    column->Visible = Visible;
    column->Grouped = Grouped;
    column->headers_ = headers_;
    column->CopyDefinition(*this);
    return column;
}

// ---------------------------------------------------------------------------
// TGridTableList

void TGridTableList::CheckInsert(int pos) const
{
    if (pos < 0 || pos > Count())
        RaiseListIndexError(pos);
}

void TGridTableList::InsertIndex(int pos, int index)
{
    CheckInsert(pos);
    items_.insert(items_.begin() + pos, TIntWrapper{index, false});
}

void TGridTableList::InsertIdentifier(int pos, int id)
{
    CheckInsert(pos);
    items_.insert(items_.begin() + pos, TIntWrapper{id, true});
}

void TGridTableList::InsertTable(int pos, const TGridTable* table)
{
    InsertIndex(pos, table ? registry_->IndexOfGridTable(table) : -1);
}

void TGridTableList::Delete(int pos)
{
    CheckListIndex(items_, pos);
    items_.erase(items_.begin() + pos);
}

const TIntWrapper& TGridTableList::Item(int pos) const
{
    CheckListIndex(items_, pos);
    return items_[static_cast<std::size_t>(pos)];
}

int TGridTableList::TableIndex(int pos) const
{
    const TIntWrapper& item = Item(pos);
    return item.IsIdentifier ? registry_->IndexOfIdentifier(item.Value) : item.Value;
}

TGridTable* TGridTableList::Tables(int pos) const { return registry_->GridTableByIndex(TableIndex(pos)); }

// ---------------------------------------------------------------------------
// TGridRegistry

TGridRegistry::TGridRegistry()
{
    RegisterColumnType(TEnumColumn::ClassInfo, 0);
    RegisterColumnType(TIntColumn::ClassInfo, 1);
    RegisterColumnType(TFloatColumn::ClassInfo, 2);
    RegisterColumnType(TTableColumn::ClassInfo, 3);
    RegisterColumnType(TStringColumn::ClassInfo, 4);
}

TGridRegistry::~TGridRegistry() = default;

void TGridRegistry::RegisterColumnType(const TColumnClass& cls, int id) { columnTypes_.emplace_back(&cls, id); }

void TGridRegistry::UnregisterColumnType(const TColumnClass& cls)
{
    std::erase_if(columnTypes_, [&](const auto& entry) { return entry.first == &cls; });
}

int TGridRegistry::ColumnTypeId(const TColumnClass& cls) const
{
    for (const auto& [c, id] : columnTypes_)
        if (c == &cls)
            return id;
    return -1;
}

const TColumnClass* TGridRegistry::ColumnTypeClass(int id) const
{
    for (const auto& [c, typeId] : columnTypes_)
        if (typeId == id)
            return c;
    return nullptr;
}

TGridTable* TGridRegistry::GridTableByIndex(int index) const
{
    if (index < 0 || index >= GridTableCount())
        return nullptr;
    return tables_[static_cast<std::size_t>(index)];
}

int TGridRegistry::IndexOfGridTable(const TGridTable* table) const
{
    const auto it = std::find(tables_.begin(), tables_.end(), table);
    return it == tables_.end() ? -1 : static_cast<int>(it - tables_.begin());
}

int TGridRegistry::IndexOfIdentifier(int id) const
{
    if (id < 0)
        return -1;
    for (std::size_t i = 0; i < tables_.size(); ++i)
        if (tables_[i]->Identifier() == id)
            return static_cast<int>(i);
    return -1;
}

void TGridRegistry::Remove(TGridTable* table) { std::erase(tables_, table); }

TGridRegistry& DefaultGridRegistry()
{
    static TGridRegistry registry;
    return registry;
}

// ---------------------------------------------------------------------------
// TGridTable

TGridTable::TGridTable(TGridRegistry& registry) : TGridTable(registry, nullptr) {}

TGridTable::TGridTable(TGridRegistry& registry, TGridTable* owner)
    : registry_(&registry), owner_(owner), units_(owner ? owner->Units() : 1)
{
    identifier_ = registry_->NextIdentifier();
    registry_->Add(this);
}

TGridTable::TGridTable(TGridTable& owner, int rowNumber, const TGridTable& tmpl) : TGridTable(owner.Registry(), &owner)
{
    Caption = tmpl.Caption;
    Comments = tmpl.Comments;
    TopLeft = tmpl.TopLeft;
    helpPicture_ = tmpl.helpPicture_;
    SetRowCount(0);
    SetMinRows(tmpl.MinRows());
    maxRows_ = tmpl.MaxRows();
    for (TColumn* column : tmpl.Columns())
        AppendColumn(column->Clone(this));
    SetNumber(rowNumber);
    SetRowCount(minRows_);
    RowsChanged();
}

TGridTable::~TGridTable()
{
    if (form_) {
        form_->TableGone();
        form_ = nullptr;
    }
    RowsChangedHook = nullptr;
    CellChangedHook = nullptr;
    SetRowCount(0);
    columns_.Clear();
    registry_->Remove(this);
}

TColumn& TGridTable::GetColumn(int i) const { return *columns_.Items(i); }

int TGridTable::IndexOfColumn(const TColumn* column) const { return columns_.IndexOf(column); }

void TGridTable::AppendColumn(std::unique_ptr<TColumn> column)
{
    column->owner_ = this;
    TColumn& ref = *column;
    columns_.Add(column.release());
    try {
        Attach(ref);
    } catch (...) {
        columns_.Delete(columns_.Count() - 1); // frees the partly attached column
        throw;
    }
}

void TGridTable::Attach(TColumn& column)
{
    column.owner_ = this;
    while (column.RowCount() < rowCount_)
        column.InsertRows(column.RowCount(), rowGroup_);
    if (form_ && column.UsesControls())
        column.AllocateControls(controlsParent_, form_->TopDataRow(), form_->VisibleDataRows());
}

std::vector<TColumn*> TGridTable::Columns() const
{
    std::vector<TColumn*> columns;
    for (int i = 0; i < columns_.Count(); ++i)
        columns.push_back(columns_.Items(i));
    return columns;
}

int TGridTable::VisibleColumnCount() const
{
    const auto columns = Columns();
    return static_cast<int>(std::count_if(columns.begin(), columns.end(), [](const TColumn* c) { return c->Visible; }));
}

TColumn& TGridTable::VisibleColumn(int n) const
{
    Require<EListError>(n >= 0 && n < VisibleColumnCount(), "Index out of bounds");
    for (TColumn* column : Columns())
        if (column->Visible && n-- == 0)
            return *column;
    throw EListError("Index out of bounds");
}

int TGridTable::VisibleIndexOf(const TColumn* column) const
{
    int index = 0;
    for (TColumn* c : Columns()) {
        if (c == column)
            return c->Visible ? index : -1;
        if (c->Visible)
            ++index;
    }
    return -1;
}

int TGridTable::HeaderRowCount() const
{
    int count = 0;
    for (TColumn* column : Columns())
        if (column->Visible)
            count = std::max(count, column->HeaderCount());
    return count;
}

TData& TGridTable::Cell(int col, int row) const { return GetColumn(col).Row(row); }

void TGridTable::GrowColumns(int rowCount, int at, const std::function<void(TColumn&)>& grow)
{
    const int oldRowCount = rowCount_;
    rowCount_ = rowCount;
    const std::vector<TColumn*> columns = Columns();
    std::vector<int> before; // the row count of each column reached
    try {
        for (TColumn* column : columns) {
            before.push_back(column->RowCount());
            grow(*column);
        }
    } catch (...) {
        for (std::size_t i = 0; i < before.size(); ++i) {
            const int added = columns[i]->RowCount() - before[i];
            if (added <= 0)
                continue;
            try {
                columns[i]->UndoInsertRows(at < 0 ? before[i] : at, added);
            } catch (...) {
                // A row event of the renumbering failed again; the rows are out.
            }
        }
        rowCount_ = oldRowCount;
        throw;
    }
}

void TGridTable::SetRowCount(int n)
{
    n = std::max(0, n);
    // A count read from a file never passes the table's limit.
    if (maxRows_ > 0)
        n = std::min(n, maxRows_);
    GrowColumns(n, -1, [&](TColumn& column) {
        while (column.RowCount() > n)
            column.DeleteRow(column.RowCount() - 1);
        while (column.RowCount() < n)
            column.InsertRows(column.RowCount(), rowGroup_);
    });
}

void TGridTable::AddRowGroup()
{
    GrowColumns(rowCount_ + rowGroup_, -1, [&](TColumn& column) { column.InsertRows(column.RowCount(), rowGroup_); });
    RowsChanged();
}

void TGridTable::InsertRowGroup(int row)
{
    const int at = rowGroup_ * (row / rowGroup_);
    GrowColumns(rowCount_ + rowGroup_, at, [&](TColumn& column) { column.InsertRows(at, rowGroup_); });
    RowsChanged();
}

void TGridTable::DeleteRowGroup(int row)
{
    const int first = rowGroup_ * (row / rowGroup_);
    for (TColumn* column : Columns())
        for (int i = 0; i < rowGroup_; ++i)
            column->DeleteRow(first);
    rowCount_ -= rowGroup_;
    RowsChanged();
}

void TGridTable::SetNumber(int n)
{
    number_ = n;
    if (form_)
        form_->CaptionChanged();
}

void TGridTable::SetIdentifier(int id)
{
    if (id < 0)
        return;
    for (int i = 0; i < registry_->GridTableCount(); ++i) {
        TGridTable* other = registry_->GridTableByIndex(i);
        if (other != this && other->identifier_ == id)
            other->identifier_ = identifier_;
    }
    identifier_ = id;
}

void TGridTable::SetMinRows(int n)
{
    if (n <= 0) {
        RaiseIf<Exception>(!Loading, "Value must be greater than 0");
        n = 1;
    }
    minRows_ = n;
}

void TGridTable::SetUnits(int units)
{
    if (units == units_)
        return;
    for (TColumn* column : Columns())
        column->SetUnits(units);
    units_ = units;
    RowsChanged();
}

void TGridTable::SetHelpPicture(const std::string& picture)
{
    if (picture == helpPicture_)
        return;
    helpPicture_ = picture;
    if (form_)
        form_->PictureChanged();
}

bool TGridTable::GetChanged() const
{
    if (changed_)
        return true;
    const auto columns = Columns();
    return std::any_of(columns.begin(), columns.end(), [](const TColumn* c) { return c->GetChanged(); });
}

void TGridTable::SetChanged(bool value)
{
    if (value)
        changed_ = true;
    else
        ResetChanged();
}

void TGridTable::ResetChanged()
{
    changed_ = false;
    for (TColumn* column : Columns())
        column->ResetChanged();
}

std::string TGridTable::WindowCaption() const
{
    // The prefix gathers the row numbers of the owning tables.
    std::string prefix;
    std::vector<const TGridTable*> chain;
    for (const TGridTable* t = this; t; t = t->owner_)
        chain.push_back(t);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        if ((*it)->number_ != 0)
            prefix += " " + FormatInteger((*it)->number_);
    return prefix + " " + Caption;
}

void TGridTable::ShowWindow(TWindowMode mode)
{
    if (VisibleColumnCount() == 0)
        return;
    if (!form_) {
        if (!registry_->WindowFactory)
            return;
        form_ = registry_->WindowFactory(*this, mode);
        if (!form_)
            return;
    }
    form_->Show();
}

void TGridTable::ShowTable() { ShowWindow(FormParent ? TWindowMode::Embedded : TWindowMode::MdiChild); }

void TGridTable::ShowTableModal() { ShowWindow(FormParent ? TWindowMode::Embedded : TWindowMode::Modal); }

void TGridTable::HideTable()
{
    if (form_) {
        TTableWindow* window = form_;
        DisconnectWindow();
        window->Release();
    }
    for (TColumn* column : Columns())
        column->HideForms();
}

void TGridTable::ReopenTable()
{
    if (!form_)
        return;
    HideTable();
    ShowTable();
}

void TGridTable::ConnectWindow(TTableWindow* window, const void* controlsParent)
{
    form_ = window;
    controlsParent_ = controlsParent;
    for (TColumn* column : Columns())
        if (column->UsesControls())
            column->AllocateControls(controlsParent_, form_->TopDataRow(), form_->VisibleDataRows());
}

void TGridTable::DisconnectWindow()
{
    for (TColumn* column : Columns())
        column->ReleaseControls();
    RowsChangedHook = nullptr;
    CellChangedHook = nullptr;
    controlsParent_ = nullptr;
    form_ = nullptr;
}

void TGridTable::UpdateTemplateLists()
{
    int count = 1;
    if (columns_.Count() > 0)
        if (const auto* first = dynamic_cast<const TEnumColumn*>(columns_.Items(0)))
            count = static_cast<int>(first->Items().size());
    for (TColumn* column : Columns()) {
        auto* tableColumn = dynamic_cast<TTableColumn*>(column);
        if (!tableColumn)
            continue;
        while (tableColumn->Templates.Count() < count)
            tableColumn->Templates.AddIndex(-1);
        while (tableColumn->Templates.Count() > count)
            tableColumn->Templates.Delete(tableColumn->Templates.Count() - 1);
    }
}

void TGridTable::CellChanged(TColumn& column, int row)
{
    if (columns_.Count() > 0 && columns_.Items(0) == &column && dynamic_cast<TEnumColumn*>(&column)) {
        for (TColumn* c : Columns())
            if (auto* tableColumn = dynamic_cast<TTableColumn*>(c)) {
                tableColumn->RebuildCell(row);
                break;
            }
    }
    if (CellChangedHook)
        CellChangedHook(IndexOfColumn(&column), row);
}

void TGridTable::FocusCell(TColumn& column, int row)
{
    if (form_)
        form_->FocusCell(VisibleIndexOf(&column) + 1, row + HeaderRowCount());
}

void TGridTable::RowsChanged()
{
    if (RowsChangedHook)
        RowsChangedHook();
}

// ---------------------------------------------------------------------------
// The "Col" property

void TGridTable::WriteColumns(TColWriter& writer) const
{
    writer.WriteInteger(ColumnCount());
    for (TColumn* column : Columns()) {
        writer.WriteInteger(registry_->ColumnTypeId(column->Class()));
        column->WriteData(writer);
    }
}

std::vector<std::uint8_t> TGridTable::WriteColumns() const
{
    TColWriter writer;
    WriteColumns(writer);
    return writer.Bytes();
}

void TGridTable::ReadColumns(TColReader& reader)
{
    // A count larger than the stream holds ends at the first column that
    // runs out of bytes; nothing is allocated by the count itself.
    int count = 0;
    try {
        count = reader.ReadInteger();
    } catch (const Exception&) {
        throw Exception("Error reading column count");
    }
    for (int i = 0; i < count; ++i) {
        try {
            const int id = reader.ReadInteger();
            const TColumnClass* cls = registry_->ColumnTypeClass(id);
            Check<Exception>(cls != nullptr, "Error Column Class not defined");
            // A column that fails part-way is freed here.
            AppendColumn(TColumn::CreateFromReader(*cls, this, reader));
        } catch (const Exception& e) {
            throw Exception(Format("Error occured when creating column %d: %s", {i, e.Message()}));
        }
        UpdateTemplateLists();
    }
    RowsChanged();
}

void TGridTable::ReadColumns(std::span<const std::uint8_t> bytes)
{
    TColReader reader(bytes);
    ReadColumns(reader);
}

} // namespace korva::components
