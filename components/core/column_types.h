#pragma once
// The five column types of the grid table: enumeration, integer, float with
// units, string and sub-table. Each keeps one value per row beside the row
// proxies, checks text typed into a cell, stores its definition in the "Col"
// layout and clones itself for sub-tables.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid_table.h"

namespace korva::components {

// A column that keeps one value of type T per row beside the row proxies.
template <class T>
class TValueColumn : public TColumn {
public:
    void DeleteRow(int row) override
    {
        TColumn::DeleteRow(row);
        values_.erase(values_.begin() + row);
    }

protected:
    using TColumn::TColumn;
    void InsertValues(int at, int count, const T& value)
    {
        TColumn::InsertRows(at, count);
        values_.insert(values_.begin() + at, static_cast<std::size_t>(count), value);
    }
    const T& Value(int row) const
    {
        CheckRow(row);
        return values_[static_cast<std::size_t>(row)];
    }
    T& Value(int row)
    {
        CheckRow(row);
        return values_[static_cast<std::size_t>(row)];
    }

    std::vector<T> values_;
};

// Item numbers (1-based) of a list of items; edited through a combo box.
class TEnumColumn : public TValueColumn<std::int32_t> {
public:
    static const TColumnClass ClassInfo;
    explicit TEnumColumn(TGridTable* owner);
    const TColumnClass& Class() const override { return ClassInfo; }

    const std::vector<std::string>& Items() const { return items_; }
    // Replaces the items; the owner's template lists follow.
    void SetItems(std::vector<std::string> items);

    void InsertRows(int at, int count) override;
    std::int32_t GetAsInteger(int row) const override;
    // Raises EAssignError for a value outside 1..item count and leaves the
    // row unchanged; an unchanged value sends no notification.
    void SetAsInteger(int row, std::int32_t value) override;
    std::string GetAsString(int row) const override;
    void SetAsString(int row, const std::string& text) override;
    int ColumnWidth(const TTextMeasure& measure) const override;

    bool UsesControls() const override { return true; }
    bool HasControls() const override { return true; }
    void AllocateControls(const void* parent, int topRow, int count) override;
    // The combo box's selection changed / the combo box got the focus.
    void ComboChange(int control, int itemIndex);
    void ComboEnter(int control);

protected:
    void WriteOwnData(TColWriter& writer) const override;
    void ReadOwnData(TColReader& reader) override;
    void CopyDefinition(const TColumn& source) override;

private:
    std::vector<std::string> items_;
};

class TIntColumn : public TValueColumn<std::int32_t> {
public:
    static const TColumnClass ClassInfo;
    explicit TIntColumn(TGridTable* owner);
    const TColumnClass& Class() const override { return ClassInfo; }

    std::int32_t Default = 0;
    std::int32_t Min = INT32_MIN;
    std::int32_t Max = INT32_MAX;

    void InsertRows(int at, int count) override;
    std::int32_t GetAsInteger(int row) const override;
    void SetAsInteger(int row, std::int32_t value) override;
    std::string GetAsString(int row) const override;
    void SetAsString(int row, const std::string& text) override;
    int ColumnWidth(const TTextMeasure& measure) const override;

protected:
    void WriteOwnData(TColWriter& writer) const override;
    void ReadOwnData(TColReader& reader) override;
    void CopyDefinition(const TColumn& source) override;
};

class TFloatColumn : public TValueColumn<Extended> {
public:
    static const TColumnClass ClassInfo;
    explicit TFloatColumn(TGridTable* owner);
    const TColumnClass& Class() const override { return ClassInfo; }

    Extended Default = 0;
    // This column holds the tops of layers whose bottoms are in the next
    // column; the two are kept linked.
    bool IsTopDepth = false;
    std::string UnitsCode;

    std::string GetHeader(int i) const override;
    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    void UndoInsertRows(int at, int count) override;
    Extended GetAsFloat(int row) const override;
    void SetAsFloat(int row, Extended value) override;
    std::string GetAsString(int row) const override;
    void SetAsString(int row, const std::string& text) override;
    int ColumnWidth(const TTextMeasure& measure) const override;
    void SetUnits(int units) override;

protected:
    void WriteOwnData(TColWriter& writer) const override;
    void ReadOwnData(TColReader& reader) override;
    void CopyDefinition(const TColumn& source) override;

private:
    TFloatColumn* NextFloat() const;     // the bottom-depth column of a top-depth column
    TFloatColumn* TopDepthBefore() const; // the top-depth column before a bottom-depth column
    void Store(int row, Extended value) { Value(row) = value; }
};

class TStringColumn : public TValueColumn<std::string> {
public:
    static const TColumnClass ClassInfo;
    explicit TStringColumn(TGridTable* owner);
    const TColumnClass& Class() const override { return ClassInfo; }

    std::string Default;
    Extended Width = 1.0L; // inches

    void InsertRows(int at, int count) override;
    std::string GetAsString(int row) const override;
    void SetAsString(int row, const std::string& text) override;
    int ColumnWidth(const TTextMeasure& measure) const override;

protected:
    void WriteOwnData(TColWriter& writer) const override;
    void ReadOwnData(TColReader& reader) override;
    void CopyDefinition(const TColumn& source) override;

};

// One sub-table per row, cloned from the template that the row's value in
// the owner's first (enumeration) column chooses; edited through a button.
class TTableColumn : public TColumn {
public:
    static const TColumnClass ClassInfo;
    explicit TTableColumn(TGridTable* owner);
    ~TTableColumn() override;
    const TColumnClass& Class() const override { return ClassInfo; }

    // One reference per item of the owner's first column.
    TGridTableList Templates;

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    TGridTable& GetAsTable(int row) override;
    TCellObject* GetObject(int row) override;
    bool GetChanged() const override;
    void ResetChanged() override;
    void HideForms() override;
    void SetUnits(int units) override;
    int ColumnWidth(const TTextMeasure& measure) const override;

    bool UsesControls() const override { return true; }
    bool HasControls() const override { return true; }
    void AllocateControls(const void* parent, int topRow, int count) override;
    void ButtonClick(int control);
    // "3: Sand properties" for row 2.
    std::string RowCaption(int row);

    // Builds the cell of the row from the template that the first column's
    // value chooses (called when that value changes).
    void RebuildCell(int row);

protected:
    void WriteOwnData(TColWriter& writer) const override;
    void ReadOwnData(TColReader& reader) override;
    void CopyDefinition(const TColumn& source) override;

private:
    void Renumber(int from);
    TObjectList<TCellObject> cells_; // a sub-table, an application object or nil per row
};

// Builders of table definitions in code: each appends an attached column
// with the given header lines and returns it.
TEnumColumn& AddEnumColumn(TGridTable& table, std::vector<std::string> headers, std::vector<std::string> items);
TIntColumn& AddIntColumn(TGridTable& table, std::vector<std::string> headers, std::int32_t min = INT32_MIN,
                         std::int32_t max = INT32_MAX, std::int32_t defaultValue = 0);
TFloatColumn& AddFloatColumn(TGridTable& table, std::vector<std::string> headers, std::string unitsCode = {},
                             Extended defaultValue = 0);
TStringColumn& AddStringColumn(TGridTable& table, std::vector<std::string> headers, std::string defaultValue = {},
                               Extended width = 1.0L);
// The templates are named by identifier, one per item of the first column.
TTableColumn& AddTableColumn(TGridTable& table, std::vector<std::string> headers, std::vector<int> templateIds);

} // namespace korva::components
