#include "column_types.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "col_stream.h"
#include "expression.h"
#include "guards.h"
#include "int_utils.h"
#include "unit_codes.h"

namespace korva::components {

namespace {

template <class C>
std::unique_ptr<TColumn> Make(TGridTable* owner)
{
    return std::make_unique<C>(owner);
}

constexpr const char* kFloatMarker = "FLOATCOLUMN2";
constexpr const char* kTableMarker = "FLEXCOLUMN2";
constexpr const char* kBetween = "Entry must be between %d and %d.";

// Sub-tables of sub-tables are allowed, but a template that (through its
// own sub-table columns) names itself would clone without end.
constexpr int kMaxTableNesting = 8;

// The text of an integer, enumeration or float cell as a number.
Extended EvaluateCellText(const std::string& text)
{
    RaiseIf<EAssignError>(text.empty(), "Entry cannot be blank.");
    try {
        return EvaluateExpression(text);
    } catch (const EConvertError&) {
        throw EAssignError(text + " is not a valid number.");
    }
}

// An integer cell never takes a value outside 32 bits.
std::int32_t ToInt32(Extended value)
{
    constexpr Extended low = std::numeric_limits<std::int32_t>::min();
    constexpr Extended high = std::numeric_limits<std::int32_t>::max();
    const bool inRange = value >= low - 0.5L && value <= high + 0.5L;
    const std::int64_t rounded = inRange ? RoundToInt(value) : 0;
    RaiseIfFmt<EAssignError>(!inRange || rounded < low || rounded > high, kBetween,
                             {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()});
    return static_cast<std::int32_t>(rounded);
}

int WidthAtLeast(const TColumn& column, const TTextMeasure& measure, int minimum)
{
    return std::max(column.TColumn::ColumnWidth(measure), minimum);
}

} // namespace

// ---------------------------------------------------------------------------
// TEnumColumn

const TColumnClass TEnumColumn::ClassInfo{"TEnumColumn", &Make<TEnumColumn>};

TEnumColumn::TEnumColumn(TGridTable* owner) : TValueColumn(owner)
{
    if (owner)
        InsertRows(0, owner->RowCount());
}

void TEnumColumn::SetItems(std::vector<std::string> items)
{
    items_ = std::move(items);
    if (Owner())
        Owner()->UpdateTemplateLists();
}

void TEnumColumn::InsertRows(int at, int count) { InsertValues(at, count, std::int32_t{1}); }

std::int32_t TEnumColumn::GetAsInteger(int row) const
{
    return Value(row);
}

void TEnumColumn::SetAsInteger(int row, std::int32_t value)
{
    const auto [first, count] = WrittenRows(row);
    // Checked before anything is stored, so that a row never keeps a value
    // whose sub-table could not be built.
    RaiseIfFmt<EAssignError>(value < 1 || value > static_cast<int>(items_.size()), kBetween,
                             {1, static_cast<int>(items_.size())});
    for (int r = first; r < first + count; ++r) {
        auto& stored = Value(r);
        if (stored == value)
            continue;
        stored = value;
        for (auto& control : controls_)
            if (control.Tag == r)
                control.ItemIndex = value - 1;
        NotifyCellChanged(r);
    }
}

std::string TEnumColumn::GetAsString(int row) const { return FormatInteger(GetAsInteger(row)); }

void TEnumColumn::SetAsString(int row, const std::string& text)
{
    const Extended value = EvaluateCellText(text);
    Require<EAssignError>(IsWholeNumber(value), "Value must be an integer.");
    SetAsInteger(row, static_cast<std::int32_t>(RoundToInt(value)));
}

int TEnumColumn::ColumnWidth(const TTextMeasure& measure) const
{
    return WidthAtLeast(*this, measure, (3 * measure.PixelsPerInch) / 2);
}

void TEnumColumn::AllocateControls(const void* parent, int topRow, int count)
{
    ErrorIf<Exception>(controlsParent_ != nullptr && controlsParent_ != parent,
                       "Error attempt to change parent with controls already allocated");
    Check<Exception>(parent != nullptr, "null parent");
    controlsParent_ = parent;
    controls_.resize(static_cast<std::size_t>(std::max(0, count)));
    for (int i = 0; i < ControlCount(); ++i) {
        auto& control = controls_[static_cast<std::size_t>(i)];
        control.Tag = topRow + i;
        control.ItemIndex = GetAsInteger(topRow + i) - 1;
    }
}

void TEnumColumn::ComboChange(int control, int itemIndex)
{
    const int row = Controls(control).Tag;
    Check<Exception>(row >= 0, "Unexpected row for combobox");
    if (GetAsInteger(row) != itemIndex + 1)
        SetAsInteger(row, itemIndex + 1);
}

void TEnumColumn::ComboEnter(int control) { FocusCell(Controls(control).Tag); }

void TEnumColumn::WriteOwnData(TColWriter& writer) const { writer.WriteStringList(items_); }

void TEnumColumn::ReadOwnData(TColReader& reader) { SetItems(reader.ReadStringList()); }

void TEnumColumn::CopyDefinition(const TColumn& source)
{
    SetItems(static_cast<const TEnumColumn&>(source).items_);
}

// ---------------------------------------------------------------------------
// TIntColumn

const TColumnClass TIntColumn::ClassInfo{"TIntColumn", &Make<TIntColumn>};

TIntColumn::TIntColumn(TGridTable* owner) : TValueColumn(owner)
{
    if (owner)
        InsertRows(0, owner->RowCount());
}

void TIntColumn::InsertRows(int at, int count) { InsertValues(at, count, Default); }

std::int32_t TIntColumn::GetAsInteger(int row) const
{
    return Value(row);
}

void TIntColumn::SetAsInteger(int row, std::int32_t value)
{
    const auto [first, count] = WrittenRows(row);
    for (int r = first; r < first + count; ++r) {
        Value(r) = value;
        NotifyCellChanged(r);
    }
}

std::string TIntColumn::GetAsString(int row) const { return FormatInteger(GetAsInteger(row)); }

void TIntColumn::SetAsString(int row, const std::string& text)
{
    const Extended value = EvaluateCellText(text);
    if (Owner() && Owner()->Form()) {
        Require<EAssignError>(std::fabs(FracOf(value)) <= 1e-10L, "Entry must be an integer.");
        RequireFmt<EAssignError>(value >= Min && value <= Max, kBetween, {Min, Max});
    }
    SetAsInteger(row, ToInt32(value));
}

int TIntColumn::ColumnWidth(const TTextMeasure& measure) const
{
    return WidthAtLeast(*this, measure, measure.PixelsPerInch / 2);
}

void TIntColumn::WriteOwnData(TColWriter& writer) const
{
    writer.WriteInteger(Default);
    writer.WriteInteger(Min);
    writer.WriteInteger(Max);
}

void TIntColumn::ReadOwnData(TColReader& reader)
{
    Default = reader.ReadInteger();
    Min = reader.ReadInteger();
    Max = reader.ReadInteger();
}

void TIntColumn::CopyDefinition(const TColumn& source)
{
    const auto& s = static_cast<const TIntColumn&>(source);
    Default = s.Default;
    Min = s.Min;
    Max = s.Max;
}

// ---------------------------------------------------------------------------
// TFloatColumn

const TColumnClass TFloatColumn::ClassInfo{"TFloatColumn", &Make<TFloatColumn>};

TFloatColumn::TFloatColumn(TGridTable* owner) : TValueColumn(owner) {}

std::string TFloatColumn::GetHeader(int i) const
{
    std::string line = TColumn::GetHeader(i);
    if (i == HeaderCount() - 1 && !UnitsCode.empty())
        line = Format("%s (%s)  ", {line, UnitCodeText(UnitsCode, Owner() ? Owner()->Units() : kUnitsEnglish)});
    return line;
}

TFloatColumn* TFloatColumn::NextFloat() const
{
    const int index = Index();
    if (index < 0 || index + 1 >= Owner()->ColumnCount())
        return nullptr;
    return dynamic_cast<TFloatColumn*>(&Owner()->GetColumn(index + 1));
}

TFloatColumn* TFloatColumn::TopDepthBefore() const
{
    const int index = Index();
    if (index < 1)
        return nullptr;
    auto* previous = dynamic_cast<TFloatColumn*>(&Owner()->GetColumn(index - 1));
    return previous && previous->IsTopDepth ? previous : nullptr;
}

void TFloatColumn::InsertRows(int at, int count)
{
    TFloatColumn* bottoms = nullptr;
    if (IsTopDepth && Index() >= 0 && Index() + 1 < Owner()->ColumnCount()) {
        bottoms = NextFloat();
        Require<Exception>(bottoms != nullptr, "If column if a topdepth then the next column must be a float column");
    }
    TFloatColumn* tops = IsTopDepth ? nullptr : TopDepthBefore();

    TColumn::InsertRows(at, count);
    for (int d = at; d < at + count; ++d) {
        Extended value = Default;
        if (bottoms) {
            // The bottom column does not hold the new rows yet.
            if (d >= 1 && d <= bottoms->RowCount() - 1)
                value = bottoms->GetAsFloat(d - 1);
        } else if (tops) {
            if (d + 1 < tops->RowCount())
                value = tops->GetAsFloat(d + 1);
        }
        values_.insert(values_.begin() + d, value);
    }
}

void TFloatColumn::DeleteRow(int row)
{
    CheckRow(row);
    // The layer that moves up starts where the layer above ends.
    if (IsTopDepth && row > 0 && row < RowCount() - 1)
        if (TFloatColumn* bottoms = NextFloat(); bottoms && row - 1 < bottoms->RowCount())
            Value(row + 1) = bottoms->GetAsFloat(row - 1);
    TValueColumn::DeleteRow(row);
}

// The rows go without the relinking of DeleteRow: the rows around them
// never saw them.
void TFloatColumn::UndoInsertRows(int at, int count)
{
    for (int i = 0; i < count; ++i)
        TValueColumn::DeleteRow(at);
}

Extended TFloatColumn::GetAsFloat(int row) const
{
    return Value(row);
}

void TFloatColumn::SetAsFloat(int row, Extended value)
{
    if (Grouped) {
        CheckRow(row);
        const auto [first, count] = GroupOf(row);
        for (int r = first; r < first + count; ++r) {
            Store(r, value);
            NotifyCellChanged(r);
        }
        return;
    }
    Store(row, value);
    if (IsTopDepth) {
        if (TFloatColumn* bottoms = NextFloat(); bottoms && row >= 1 && row - 1 < bottoms->RowCount()) {
            bottoms->Store(row - 1, value);
            bottoms->NotifyCellChanged(row - 1);
        }
    } else if (TFloatColumn* tops = TopDepthBefore(); tops && row + 1 < tops->RowCount()) {
        tops->Store(row + 1, value);
        tops->NotifyCellChanged(row + 1);
    }
    NotifyCellChanged(row);
}

// 8 digits, never more than a unit switch of the column's code carries.
std::string TFloatColumn::GetAsString(int row) const { return FormatShown(GetAsFloat(row), kCellPrecision, UnitsCode); }

void TFloatColumn::SetAsString(int row, const std::string& text) { SetAsFloat(row, EvaluateCellText(text)); }

int TFloatColumn::ColumnWidth(const TTextMeasure& measure) const
{
    return WidthAtLeast(*this, measure, measure.PixelsPerInch / 2);
}

void TFloatColumn::SetUnits(int units)
{
    const int from = Owner() ? Owner()->Units() : kUnitsEnglish;
    for (int r = 0; r < RowCount(); ++r) {
        Value(r) = ConvertUnits(Value(r), from, units, UnitsCode);
        NotifyCellChanged(r);
    }
}

void TFloatColumn::WriteOwnData(TColWriter& writer) const
{
    writer.WriteBoolean(IsTopDepth);
    writer.WriteString(kFloatMarker);
    writer.WriteString(UnitsCode);
    writer.WriteExtended(Default);
}

void TFloatColumn::ReadOwnData(TColReader& reader)
{
    IsTopDepth = reader.ReadBoolean();
    std::string text = reader.ReadString();
    if (text == kFloatMarker) {
        UnitsCode = reader.ReadString();
        Default = reader.ReadExtended();
    } else {
        // The older layout: the units code and no default.
        UnitsCode = std::move(text);
        Default = 0;
    }
}

void TFloatColumn::CopyDefinition(const TColumn& source)
{
    const auto& s = static_cast<const TFloatColumn&>(source);
    IsTopDepth = s.IsTopDepth;
    UnitsCode = s.UnitsCode;
    Default = s.Default;
}

// ---------------------------------------------------------------------------
// TStringColumn

const TColumnClass TStringColumn::ClassInfo{"TStringColumn", &Make<TStringColumn>};

TStringColumn::TStringColumn(TGridTable* owner) : TValueColumn(owner)
{
    if (owner)
        InsertRows(0, owner->RowCount());
}

void TStringColumn::InsertRows(int at, int count) { InsertValues(at, count, Default); }

std::string TStringColumn::GetAsString(int row) const
{
    return Value(row);
}

void TStringColumn::SetAsString(int row, const std::string& text)
{
    const auto [first, count] = WrittenRows(row);
    for (int r = first; r < first + count; ++r) {
        Value(r) = text;
        NotifyCellChanged(r);
    }
}

int TStringColumn::ColumnWidth(const TTextMeasure& measure) const
{
    // A width read from a damaged definition must not overflow the pixels.
    const Extended pixels = std::clamp<Extended>(measure.PixelsPerInch * Width, 0.0L, 1.0e6L);
    return WidthAtLeast(*this, measure, static_cast<int>(RoundToInt(pixels)));
}

void TStringColumn::WriteOwnData(TColWriter& writer) const
{
    writer.WriteString(Default);
    writer.WriteExtended(Width);
}

void TStringColumn::ReadOwnData(TColReader& reader)
{
    Default = reader.ReadString();
    Width = reader.ReadExtended();
}

void TStringColumn::CopyDefinition(const TColumn& source)
{
    const auto& s = static_cast<const TStringColumn&>(source);
    Default = s.Default;
    Width = s.Width;
}

// ---------------------------------------------------------------------------
// TTableColumn

const TColumnClass TTableColumn::ClassInfo{"TTableColumn", &Make<TTableColumn>};

TTableColumn::TTableColumn(TGridTable* owner)
    : TColumn(owner), Templates(owner ? owner->Registry() : DefaultGridRegistry())
{
}

TTableColumn::~TTableColumn() = default;

void TTableColumn::InsertRows(int at, int count)
{
    if (at < 0 || at > RowCount())
        RaiseListIndexError(at);
    const int cellsBefore = cells_.Count();
    try {
        for (int r = at; r < at + count; ++r) {
            cells_.Insert(r, nullptr);
            RebuildCell(r);
        }
        Renumber(at + count);
        TColumn::InsertRows(at, count);
    } catch (...) {
        // A row event failed: the new cells go, the rows below get their
        // numbers back, and the column keeps its rows.
        for (int added = cells_.Count() - cellsBefore; added > 0; --added)
            cells_.Delete(at);
        try {
            Renumber(at);
        } catch (...) {
            // The event fails again; the cells are as they were all the same.
        }
        throw;
    }
}

void TTableColumn::RebuildCell(int row)
{
    cells_.Items(row); // the list-index error for a row that does not exist
    TGridTable* owner = Owner();
    int enumType = 1;
    if (owner && owner->ColumnCount() > 0 && &owner->GetColumn(0) != this)
        if (auto* first = dynamic_cast<TEnumColumn*>(&owner->GetColumn(0)); first && row < first->RowCount())
            enumType = first->GetAsInteger(row);

    TGridTable* tmpl =
        enumType >= 1 && enumType <= Templates.Count() ? Templates.Tables(enumType - 1) : nullptr;
    if (tmpl && owner) {
        int depth = 0;
        for (const TGridTable* t = owner; t; t = t->OwnerTable())
            ++depth;
        Require<Exception>(depth < kMaxTableNesting, "Sub-tables are nested too deeply");
        cells_.SetItem(row, new TGridTable(*owner, row + 1, *tmpl)); // frees the old cell
    } else if (owner && owner->OnInitRow) {
        std::unique_ptr<TCellObject> object;
        owner->OnInitRow(*owner, Index(), row, enumType, object);
        if (owner->OnSetRow)
            owner->OnSetRow(*owner, Index(), object.get(), row);
        cells_.SetItem(row, object.release());
    } else {
        cells_.SetItem(row, nullptr);
    }
    for (auto& control : controls_)
        if (control.Tag == row)
            control.Caption = RowCaption(row);
}

void TTableColumn::Renumber(int from)
{
    TGridTable* owner = Owner();
    for (int k = from; k < cells_.Count(); ++k) {
        TCellObject* cell = cells_.Items(k);
        if (auto* table = dynamic_cast<TGridTable*>(cell))
            table->SetNumber(k + 1);
        else if (owner && owner->OnSetRow)
            owner->OnSetRow(*owner, Index(), cell, k);
    }
}

void TTableColumn::DeleteRow(int row)
{
    TColumn::DeleteRow(row);
    cells_.Delete(row);
    Renumber(row);
}

TGridTable& TTableColumn::GetAsTable(int row)
{
    auto* table = dynamic_cast<TGridTable*>(GetObject(row));
    if (!table)
        throw EInvalidCast("Data of wrong type");
    return *table;
}

TCellObject* TTableColumn::GetObject(int row)
{
    CheckRow(row);
    return cells_.Items(row);
}

bool TTableColumn::GetChanged() const
{
    TGridTable* owner = Owner();
    for (int r = 0; r < cells_.Count(); ++r) {
        TCellObject* cell = cells_.Items(r);
        if (auto* table = dynamic_cast<TGridTable*>(cell)) {
            if (table->GetChanged())
                return true;
        } else if (owner && owner->OnGetChanged) {
            bool changed = false;
            owner->OnGetChanged(*owner, Index(), r, cell, changed);
            if (changed)
                return true;
        }
    }
    return false;
}

void TTableColumn::ResetChanged()
{
    TGridTable* owner = Owner();
    for (int r = 0; r < cells_.Count(); ++r) {
        TCellObject* cell = cells_.Items(r);
        if (auto* table = dynamic_cast<TGridTable*>(cell))
            table->ResetChanged();
        else if (owner && owner->OnResetChanged)
            owner->OnResetChanged(*owner, Index(), r, cell);
    }
}

void TTableColumn::HideForms()
{
    TGridTable* owner = Owner();
    for (int r = 0; r < cells_.Count(); ++r) {
        TCellObject* cell = cells_.Items(r);
        if (auto* table = dynamic_cast<TGridTable*>(cell))
            table->HideTable();
        else if (owner && owner->OnHide)
            owner->OnHide(*owner, Index(), r, cell);
    }
}

void TTableColumn::SetUnits(int units)
{
    TGridTable* owner = Owner();
    for (int r = 0; r < cells_.Count(); ++r) {
        TCellObject* cell = cells_.Items(r);
        if (auto* table = dynamic_cast<TGridTable*>(cell))
            table->SetUnits(units);
        else if (owner && owner->OnSetUnits)
            owner->OnSetUnits(*owner, Index(), r, cell, units);
    }
}

int TTableColumn::ColumnWidth(const TTextMeasure& measure) const
{
    return WidthAtLeast(*this, measure, 2 * measure.PixelsPerInch);
}

std::string TTableColumn::RowCaption(int row)
{
    std::string text;
    TCellObject* cell = GetObject(row);
    if (auto* table = dynamic_cast<TGridTable*>(cell))
        text = table->Caption;
    else if (TGridTable* owner = Owner(); owner && owner->OnGetButtonCaption)
        owner->OnGetButtonCaption(*owner, Index(), row, cell, text);
    return Format("%d: %s", {row + 1, text});
}

void TTableColumn::AllocateControls(const void* parent, int topRow, int count)
{
    ErrorIf<Exception>(controlsParent_ != nullptr && controlsParent_ != parent,
                       "Attempt to change parent with controls already allocated");
    Check<Exception>(parent != nullptr, "null parent");
    CheckFmt<Exception>(topRow >= 0, "ATopRow %d", {topRow});
    CheckFmt<Exception>(topRow < RowCount(), "ATopRow %d", {topRow});
    CheckFmt<Exception>(count > 0, "ACount %d", {count});
    CheckFmt<Exception>(topRow + count <= RowCount(), "ACount %d", {count});
    controlsParent_ = parent;
    controls_.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        auto& control = controls_[static_cast<std::size_t>(i)];
        control.Tag = topRow + i;
        control.Caption = RowCaption(topRow + i);
    }
}

void TTableColumn::ButtonClick(int control)
{
    const int row = Controls(control).Tag;
    TCellObject* cell = GetObject(row);
    TGridTable* owner = Owner();
    if (auto* table = dynamic_cast<TGridTable*>(cell)) {
        if (owner && owner->Form() && owner->Form()->IsModal())
            table->ShowTableModal();
        else
            table->ShowTable();
    } else if (owner && owner->OnButtonClick) {
        owner->OnButtonClick(*owner, Index(), row, cell);
    }
}

void TTableColumn::WriteOwnData(TColWriter& writer) const
{
    writer.WriteString(kTableMarker);
    writer.WriteListBegin();
    for (int pos = 0; pos < Templates.Count(); ++pos) {
        const TGridTable* table = Templates.Tables(pos);
        writer.WriteInteger(table ? table->Identifier() : -1);
    }
    writer.WriteListEnd();
}

void TTableColumn::ReadOwnData(TColReader& reader)
{
    if (reader.ReadString() == kTableMarker) {
        reader.ReadListBegin();
        while (!reader.EndOfList()) {
            const int id = reader.ReadInteger();
            if (id < 0)
                Templates.AddIndex(-1);
            else
                Templates.AddIdentifier(id);
        }
        reader.ReadListEnd();
        return;
    }
    // The older layout: one registry index, or identifiers 1, 2, ... for the
    // items of the first column.
    const int n = reader.ReadInteger();
    TGridTable* owner = Owner();
    const TEnumColumn* first = nullptr;
    if (owner && owner->ColumnCount() > 0)
        first = dynamic_cast<const TEnumColumn*>(&owner->GetColumn(0));
    if (!first) {
        Templates.AddIndex(n);
        return;
    }
    for (int item = 1; item <= static_cast<int>(first->Items().size()); ++item) {
        if (owner->HardwiredButton)
            Templates.AddIndex(n);
        else
            Templates.AddIdentifier(item);
    }
}

void TTableColumn::CopyDefinition(const TColumn& source)
{
    const auto& s = static_cast<const TTableColumn&>(source);
    for (int pos = 0; pos < s.Templates.Count(); ++pos)
        Templates.AddIndex(s.Templates.TableIndex(pos));
}

// ---------------------------------------------------------------------------
// Builders

namespace {
template <class C>
C& AddWithHeaders(TGridTable& table, std::unique_ptr<C> column, std::vector<std::string> headers)
{
    column->Headers() = std::move(headers);
    return table.AddColumn(std::move(column));
}
} // namespace

TEnumColumn& AddEnumColumn(TGridTable& table, std::vector<std::string> headers, std::vector<std::string> items)
{
    auto& column = AddWithHeaders(table, std::make_unique<TEnumColumn>(&table), std::move(headers));
    column.SetItems(std::move(items));
    return column;
}

TIntColumn& AddIntColumn(TGridTable& table, std::vector<std::string> headers, std::int32_t min, std::int32_t max,
                         std::int32_t defaultValue)
{
    // Made without owner, so that attaching makes its rows with the default.
    auto column = std::make_unique<TIntColumn>(nullptr);
    column->Min = min;
    column->Max = max;
    column->Default = defaultValue;
    return AddWithHeaders(table, std::move(column), std::move(headers));
}

TFloatColumn& AddFloatColumn(TGridTable& table, std::vector<std::string> headers, std::string unitsCode,
                             Extended defaultValue)
{
    auto column = std::make_unique<TFloatColumn>(&table);
    column->UnitsCode = std::move(unitsCode);
    column->Default = defaultValue;
    return AddWithHeaders(table, std::move(column), std::move(headers));
}

TStringColumn& AddStringColumn(TGridTable& table, std::vector<std::string> headers, std::string defaultValue,
                               Extended width)
{
    auto column = std::make_unique<TStringColumn>(nullptr);
    column->Default = std::move(defaultValue);
    column->Width = width;
    return AddWithHeaders(table, std::move(column), std::move(headers));
}

TTableColumn& AddTableColumn(TGridTable& table, std::vector<std::string> headers, std::vector<int> templateIds)
{
    auto column = std::make_unique<TTableColumn>(&table);
    for (int id : templateIds)
        column->Templates.AddIdentifier(id);
    return AddWithHeaders(table, std::move(column), std::move(headers));
}

} // namespace korva::components
