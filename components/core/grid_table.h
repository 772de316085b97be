#pragma once
// The typed grid table: an ordered list of typed columns (enumeration,
// integer, float with units, string, sub-table), a row count with minimum,
// maximum and row-group size, a unit system and a changed flag. A sub-table
// column holds one table per row, cloned from a template chosen by the row's
// value in the first (enumeration) column; this is how the soil-layer table
// carries one property table per layer. Cells are read and written through
// TData proxies: Cell(col, row).
//
// Every live table is entered in a TGridRegistry, so that sub-table columns
// can name their templates by Identifier before the templates exist. The
// editing window is not part of this model: it connects through
// TTableWindow and two plain callbacks (rows changed, cell changed).
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "number_format.h"
#include "object_list.h"

namespace korva::components {

class TColReader;
class TColWriter;
class TColumn;
class TGridTable;
class TGridRegistry;

// Anything a cell of a sub-table column can hold: a grid table, or an object
// of the application's own (then the table's row events serve it).
class TCellObject {
public:
    virtual ~TCellObject() = default;
};

// The window class library's text measuring, as column widths need it.
struct TTextMeasure {
    int PixelsPerInch = 96;
    std::function<int(std::string_view)> TextWidth;
};

// The state of one in-cell control (a combo box of an enumeration column or
// a push button of a sub-table column). The model keeps it; the window shows
// one widget per entry over the cell of row Tag.
struct TCellControl {
    int Tag = -1;                   // the row the control stands for
    int ItemIndex = -1;             // combo boxes: the item shown (value - 1)
    std::string Caption;            // buttons: "row: caption"
};

// The editing window of a table, as the table sees it. The window layer
// implements it; the window is created through the registry's factory.
class TTableWindow {
public:
    virtual ~TTableWindow() = default;
    virtual void Show() = 0;
    virtual bool IsModal() const = 0;
    // The table disconnected the window (HideTable): close and free it
    // without the commit check.
    virtual void Release() = 0;
    // The table is being destroyed: forget it.
    virtual void TableGone() = 0;
    virtual void CaptionChanged() = 0;
    virtual void PictureChanged() = 0;
    // Makes the grid cell current (grid coordinates, fixed rows included).
    virtual void FocusCell(int gridCol, int gridRow) = 0;
    // First visible data row and number of visible data rows.
    virtual int TopDataRow() const = 0;
    virtual int VisibleDataRows() const = 0;
};

enum class TWindowMode { MdiChild, Embedded, Modal };
using TTableWindowFactory = std::function<TTableWindow*(TGridTable& table, TWindowMode mode)>;

// ---------------------------------------------------------------------------
// TData: the proxy of one cell. Its row is the index of the proxy in its
// column's row list; the getters and setters forward to the column.

class TData {
public:
    explicit TData(TColumn& column) : column_(&column) {}
    TColumn& Column() const { return *column_; }
    int Row() const;

    TGridTable& GetAsTable() const;
    Extended GetAsFloat() const;
    std::int32_t GetAsInteger() const;
    std::string GetAsString() const;
    void SetAsFloat(Extended value) const;
    void SetAsInteger(std::int32_t value) const;
    void SetAsString(const std::string& text) const;

private:
    TColumn* column_;
};

// ---------------------------------------------------------------------------
// Column types are named by a class descriptor; the registry maps the
// descriptors to the type ids of the "Col" stream.

struct TColumnClass {
    const char* Name;
    std::unique_ptr<TColumn> (*Create)(TGridTable* owner);
};

// The abstract column. Its owner table is told of every stored change.
class TColumn {
public:
    explicit TColumn(TGridTable* owner) : owner_(owner) {}
    virtual ~TColumn();
    TColumn(const TColumn&) = delete;
    TColumn& operator=(const TColumn&) = delete;

    virtual const TColumnClass& Class() const = 0;

    TGridTable* Owner() const { return owner_; }
    // Index of this column in its owner, -1 without owner.
    int Index() const;

    int RowCount() const { return rows_.Count(); }
    TData& Row(int row);
    int IndexOfRow(const TData* proxy) const;

    std::vector<std::string>& Headers() { return headers_; }
    const std::vector<std::string>& Headers() const { return headers_; }
    int HeaderCount() const { return static_cast<int>(headers_.size()); }
    virtual std::string GetHeader(int i) const;

    bool Grouped = false;
    bool Visible = true;

    // Row operations; every caller of InsertRows passes the owner's RowGroup.
    // An InsertRows that fails leaves the column as it was.
    virtual void InsertRows(int at, int count);
    virtual void DeleteRow(int row);
    // Takes out rows that InsertRows put in at `at`, leaving the other rows
    // exactly as they were (for a table undoing an insert that failed).
    virtual void UndoInsertRows(int at, int count);

    // Cell access; the base raises EInvalidCast "Data of wrong type".
    virtual TGridTable& GetAsTable(int row);
    virtual Extended GetAsFloat(int row) const;
    virtual void SetAsFloat(int row, Extended value);
    virtual std::int32_t GetAsInteger(int row) const;
    virtual void SetAsInteger(int row, std::int32_t value);
    virtual TCellObject* GetObject(int row);
    virtual std::string GetAsString(int row) const;
    virtual void SetAsString(int row, const std::string& text);

    virtual bool GetChanged() const { return false; }
    virtual void ResetChanged() {}
    virtual void HideForms() {}
    virtual void SetUnits(int units);

    // The owner's RowGroup, 1 without owner.
    int RowGroup() const;

    virtual int ColumnWidth(const TTextMeasure& measure) const;

    // In-cell controls (enumeration and sub-table columns).
    virtual bool UsesControls() const { return false; }
    virtual bool HasControls() const { return false; }
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    const TCellControl& Controls(int i) const;
    const void* ControlsParent() const { return controlsParent_; }
    virtual void AllocateControls(const void* parent, int topRow, int count);
    virtual void ReleaseControls();

    // The "Col" layout: common part, then the type's own part.
    void WriteData(TColWriter& writer) const;
    static std::unique_ptr<TColumn> CreateFromReader(const TColumnClass& cls, TGridTable* owner, TColReader& reader);
    // A new column of the same class with the same definition (no values).
    std::unique_ptr<TColumn> Clone(TGridTable* newOwner) const;

protected:
    virtual void WriteOwnData(TColWriter& writer) const = 0;
    virtual void ReadOwnData(TColReader& reader) = 0;
    virtual void CopyDefinition(const TColumn& source) = 0;

    // First row and row count of the row group that holds the row, clipped
    // to the rows that exist.
    std::pair<int, int> GroupOf(int row) const;
    // The rows a write to `row` stores: the whole group on a grouped column.
    std::pair<int, int> WrittenRows(int row) const;
    // Tells the owner that a stored value changed.
    void NotifyCellChanged(int row);
    // Makes the window's current cell this column's cell at the row.
    void FocusCell(int row);
    void CheckRow(int row) const;

    std::vector<TCellControl> controls_;
    const void* controlsParent_ = nullptr;

private:
    friend class TGridTable;
    TGridTable* owner_;
    TObjectList<TData> rows_; // one proxy per row
    std::vector<std::string> headers_;
};

// ---------------------------------------------------------------------------
// Template references of a sub-table column: by registry index, or by table
// identifier resolved at every use.

struct TIntWrapper {
    std::int32_t Value = -1;
    bool IsIdentifier = false;
};

class TGridTableList {
public:
    explicit TGridTableList(TGridRegistry& registry) : registry_(&registry) {}

    void AddIndex(int index) { InsertIndex(Count(), index); }
    void InsertIndex(int pos, int index);
    void AddIdentifier(int id) { InsertIdentifier(Count(), id); }
    void InsertIdentifier(int pos, int id);
    void AddTable(const TGridTable* table) { InsertTable(Count(), table); }
    void InsertTable(int pos, const TGridTable* table);
    void Delete(int pos);
    int Count() const { return static_cast<int>(items_.size()); }
    const TIntWrapper& Item(int pos) const;

    // The registry index the reference names now (-1 for none).
    int TableIndex(int pos) const;
    // The table the reference names now, or nullptr.
    TGridTable* Tables(int pos) const;

private:
    void CheckInsert(int pos) const;
    TGridRegistry* registry_;
    std::vector<TIntWrapper> items_;
};

// ---------------------------------------------------------------------------
// The registries of column types and of live tables, with the identifier
// counter. The program uses DefaultGridRegistry(); tests make their own.

class TGridRegistry {
public:
    // Registers the five column types: enumeration 0, integer 1, float 2,
    // sub-table 3, string 4. The identifier counter starts at 0.
    TGridRegistry();
    ~TGridRegistry();
    TGridRegistry(const TGridRegistry&) = delete;
    TGridRegistry& operator=(const TGridRegistry&) = delete;

    void RegisterColumnType(const TColumnClass& cls, int id);
    void UnregisterColumnType(const TColumnClass& cls);
    int ColumnTypeId(const TColumnClass& cls) const;
    const TColumnClass* ColumnTypeClass(int id) const;

    int GridTableCount() const { return static_cast<int>(tables_.size()); }
    TGridTable* GridTableByIndex(int index) const;
    int IndexOfGridTable(const TGridTable* table) const;
    int IndexOfIdentifier(int id) const;

    // Makes the editing windows; set by the window layer.
    TTableWindowFactory WindowFactory;

private:
    friend class TGridTable;
    int NextIdentifier() { return identifierCounter_++; }
    void Add(TGridTable* table) { tables_.push_back(table); }
    void Remove(TGridTable* table);

    std::vector<std::pair<const TColumnClass*, int>> columnTypes_;
    std::vector<TGridTable*> tables_;
    int identifierCounter_ = 0;
};

TGridRegistry& DefaultGridRegistry();

// ---------------------------------------------------------------------------
// Events of sub-table columns whose cells hold application objects.

using TButtonClickEvent = std::function<void(TGridTable& sender, int col, int row, TCellObject* data)>;
using TGetButtonCaptionEvent =
    std::function<void(TGridTable& sender, int col, int row, TCellObject* data, std::string& caption)>;
using TGetChangedEvent = std::function<void(TGridTable& sender, int col, int row, TCellObject* data, bool& changed)>;
using THideEvent = std::function<void(TGridTable& sender, int col, int row, TCellObject* data)>;
using TInitRowEvent =
    std::function<void(TGridTable& sender, int col, int row, int enumType, std::unique_ptr<TCellObject>& data)>;
using TResetChangedEvent = std::function<void(TGridTable& sender, int col, int row, TCellObject* data)>;
using TSetRowEvent = std::function<void(TGridTable& sender, int col, TCellObject* data, int row)>;
using TSetUnitsEvent = std::function<void(TGridTable& sender, int col, int row, TCellObject* data, int units)>;

class TGridTable : public TCellObject {
public:
    // A top-level table (owner a window or none); Units 1.
    explicit TGridTable(TGridRegistry& registry = DefaultGridRegistry());
    // A table owned by another table (Units from the owner).
    TGridTable(TGridRegistry& registry, TGridTable* owner);
    // The clone constructor: a sub-table of `owner` for the 1-based row
    // number, with the template's definition and MinRows default rows.
    TGridTable(TGridTable& owner, int rowNumber, const TGridTable& tmpl);
    ~TGridTable() override;
    TGridTable(const TGridTable&) = delete;
    TGridTable& operator=(const TGridTable&) = delete;

    TGridRegistry& Registry() const { return *registry_; }
    TGridTable* OwnerTable() const { return owner_; }

    // Columns. AddColumn attaches the column (its rows are made up to
    // RowCount) and returns it.
    int ColumnCount() const { return columns_.Count(); }
    TColumn& GetColumn(int i) const;
    std::vector<TColumn*> Columns() const;
    int IndexOfColumn(const TColumn* column) const;
    template <class C>
    C& AddColumn(std::unique_ptr<C> column)
    {
        C& ref = *column;
        AppendColumn(std::move(column));
        return ref;
    }
    int VisibleColumnCount() const;
    TColumn& VisibleColumn(int n) const;
    int VisibleIndexOf(const TColumn* column) const;
    int HeaderRowCount() const;

    TData& Cell(int col, int row) const;

    // Rows.
    int RowCount() const { return rowCount_; }
    void SetRowCount(int n);
    void AddRowGroup();
    void InsertRowGroup(int row);
    void DeleteRowGroup(int row);

    int Number() const { return number_; }
    void SetNumber(int n);
    int Identifier() const { return identifier_; }
    void SetIdentifier(int id);
    int MinRows() const { return minRows_; }
    void SetMinRows(int n);
    int MaxRows() const { return maxRows_; }
    void SetMaxRows(int n) { maxRows_ = n; }
    int RowGroup() const { return rowGroup_; }
    void SetRowGroup(int n) { rowGroup_ = n < 1 ? 1 : n; }
    int Units() const { return units_; }
    void SetUnits(int units);

    std::string Caption;
    std::string Comments;
    std::string TopLeft;
    bool HardwiredButton = false;
    const std::string& HelpPicture() const { return helpPicture_; }
    void SetHelpPicture(const std::string& picture);
    const void* FormParent = nullptr;

    // True while the definition is being read from a stored resource:
    // MinRows 0 then reads as 1 instead of raising.
    bool Loading = false;

    // Changed flag: set by editing in the window; sub-tables count too.
    bool Changed() const { return changed_; }
    bool GetChanged() const;
    void SetChanged(bool value);
    void ResetChanged();

    // The caption of the editing window: the owners' row numbers, then
    // Caption ("  3 Sand properties" for the sub-table of layer 3).
    std::string WindowCaption() const;

    // Window.
    TTableWindow* Form() const { return form_; }
    void ShowTable();
    void ShowTableModal();
    void HideTable();
    void ReopenTable();
    // Called by the window when it shows and when it closes.
    void ConnectWindow(TTableWindow* window, const void* controlsParent);
    void DisconnectWindow();
    const void* ControlsParent() const { return controlsParent_; }

    // Hooks of the open window.
    std::function<void()> RowsChangedHook;
    std::function<void(int col, int row)> CellChangedHook;
    std::function<void()> OnResize;

    TButtonClickEvent OnButtonClick;
    TGetButtonCaptionEvent OnGetButtonCaption;
    TGetChangedEvent OnGetChanged;
    THideEvent OnHide;
    TInitRowEvent OnInitRow;
    TResetChangedEvent OnResetChanged;
    TSetRowEvent OnSetRow;
    TSetUnitsEvent OnSetUnits;

    // Template lists of sub-table columns follow the first column's items.
    void UpdateTemplateLists();

    // The "Col" property: the column definitions.
    void ReadColumns(TColReader& reader);
    void WriteColumns(TColWriter& writer) const;
    void ReadColumns(std::span<const std::uint8_t> bytes);
    std::vector<std::uint8_t> WriteColumns() const;

    // Called by the columns.
    void CellChanged(TColumn& column, int row);
    void FocusCell(TColumn& column, int row);
    void RowsChanged();

private:
    void AppendColumn(std::unique_ptr<TColumn> column);
    void Attach(TColumn& column);
    // Sets the row count and runs `grow` on every column. When it fails, the
    // rows added so far are taken out again (from `at`, or with `at` -1 from
    // each column's old end) and the row count is restored, so that every
    // column keeps the table's rows; then the failure passes on.
    void GrowColumns(int rowCount, int at, const std::function<void(TColumn&)>& grow);
    void ShowWindow(TWindowMode mode);

    TGridRegistry* registry_;
    TGridTable* owner_ = nullptr;
    int number_ = 0;
    bool changed_ = false;
    int identifier_ = 0;
    int minRows_ = 1;
    int maxRows_ = 0;
    int rowCount_ = 0;
    int rowGroup_ = 1;
    int units_ = 1;
    std::string helpPicture_;
    const void* controlsParent_ = nullptr;
    TObjectList<TColumn> columns_;
    TTableWindow* form_ = nullptr; // the open editing window (not owned)
};

} // namespace korva::components
