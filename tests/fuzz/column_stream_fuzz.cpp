// libFuzzer target of the "Col" column stream reader (make fuzz): any bytes
// are read as a table's column definitions beside the program's templates,
// the table gets rows (so sub-tables are cloned and cells read), and a
// definition that reads must write back and read again to the same bytes.
// Only the base exception may come out; the sanitizers catch the rest.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "exceptions.h"
#include "project_tables.h"

using korva::app::TProjectTables;
using korva::components::Exception;
using korva::components::TGridRegistry;
using korva::components::TGridTable;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TGridRegistry registry;
    static TProjectTables tables(registry);
    TGridTable table(registry);
    std::vector<std::uint8_t> written;
    try {
        table.ReadColumns(std::span<const std::uint8_t>(data, size));
        written = table.WriteColumns();
    } catch (const Exception&) {
    }
    if (written.empty())
        return 0;
    // Read back while every table it names still lives: a template is named
    // by the identifier of a table in the registry (the table itself, even),
    // and a table that is gone is written as -1.
    {
        TGridTable again(registry);
        again.ReadColumns(written); // what was written must read
        if (again.WriteColumns() != written)
            std::abort();
    }
    try {
        table.SetRowCount(3);
        for (int col = 0; col < table.ColumnCount(); ++col)
            table.Cell(col, 2).GetAsString();
        table.SetUnits(2);
        table.DeleteRowGroup(1);
    } catch (const Exception&) {
    }
    return 0;
}
