#include "plot_workbook.h"

#include <locale.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "atomic_file.h"
#include "exceptions.h"
#include "int_utils.h"
#include "run_sequence.h"

namespace korva::app {

using components::EInOutError;
using components::FormatInteger;

namespace {

// Text the spreadsheet can hold: valid UTF-8 without control characters
// (a stray byte becomes "?", a control character a blank), at most `limit`
// bytes, never cut inside a character.
std::string CellText(const std::string& text, std::size_t limit = 255)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        std::size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        bool valid = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k)
            valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        std::string piece = valid ? text.substr(i, length) : "?";
        if (valid && length == 1 && (c < 32 || c == 127))
            piece = " ";
        if (out.size() + piece.size() > limit)
            break;
        out += piece;
        i += valid ? length : 1;
    }
    return out;
}

// The spreadsheet library prints its numbers with the C library's printf,
// which follows the locale: a comma-decimal locale would write "0,5" into the
// XML and corrupt the workbook. The writing thread uses the "C" locale while
// the workbook is made.
class ScopedClassicLocale {
public:
    ScopedClassicLocale() : classic_(::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr)))
    {
        if (classic_)
            saved_ = ::uselocale(classic_);
    }
    ~ScopedClassicLocale()
    {
        if (classic_) {
            ::uselocale(saved_);
            ::freelocale(classic_);
        }
    }
    ScopedClassicLocale(const ScopedClassicLocale&) = delete;
    ScopedClassicLocale& operator=(const ScopedClassicLocale&) = delete;

private:
    locale_t classic_;
    locale_t saved_ = LC_GLOBAL_LOCALE;
};

// Rows of a data sheet below its five heading rows.
constexpr std::size_t kMaxSheetPoints = LXW_ROW_MAX - 5;

// The number as the plot's text with 15 significant digits shows it (the
// caller has set "." as decimal separator).
double SheetNumber(Extended value)
{
    const std::string text = components::FormatExponent(value, 15, 1);
    double number = 0;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

class WorkbookWriter {
public:
    WorkbookWriter(const std::string& path, const std::string& target) : path_(path), target_(target)
    {
        lxw_workbook_options options{};
        options.use_zip64 = LXW_FALSE;
        book_ = workbook_new_opt(path.c_str(), &options);
        if (!book_)
            Fail("The workbook could not be created.");
    }
    ~WorkbookWriter()
    {
        if (book_) // not closed: a failure on the way; the library still frees it
            workbook_close(book_);
    }
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    void Write(const std::vector<TWorkbookPlot>& plots)
    {
        legend_ = Sheet("Legend");
        bold_ = workbook_add_format(book_);
        format_set_bold(bold_);
        format_set_align(bold_, LXW_ALIGN_VERTICAL_CENTER);
        const char* headers[] = {"     N    ", "                             Plot Name                             ",
                                 "  Sheet Name  ", "  Chart Name  ", "          Status          "};
        for (int c = 0; c < 5; ++c)
            LegendText(1, 1 + c, headers[c], bold_);
        for (std::size_t k = 1; k <= plots.size(); ++k) {
            Check(worksheet_write_number(legend_, Row(k + 1), 1, static_cast<double>(k), nullptr));
            Widen(1, FormatInteger(static_cast<long long>(k)));
        }
        for (std::size_t k = 1; k <= plots.size(); ++k)
            WritePlot(static_cast<int>(k), plots[k - 1]);
        for (const auto& [col, width] : widths_)
            Check(worksheet_set_column(legend_, col, col, width + 1, nullptr));
    }

    void Close()
    {
        const lxw_error error = workbook_close(book_);
        book_ = nullptr;
        if (error != LXW_NO_ERROR)
            Fail(lxw_strerror(error));
    }

private:
    static lxw_row_t Row(std::size_t row) { return static_cast<lxw_row_t>(row); }

    [[noreturn]] void Fail(const std::string& reason) const
    {
        throw EInOutError("Cannot write file \"" + target_ + "\". " + reason);
    }
    void Check(lxw_error error) const
    {
        if (error != LXW_NO_ERROR)
            Fail(lxw_strerror(error));
    }

    lxw_worksheet* Sheet(const std::string& name)
    {
        lxw_worksheet* sheet = workbook_add_worksheet(book_, name.c_str());
        if (!sheet)
            Fail("The sheet " + name + " could not be added.");
        return sheet;
    }

    // A legend cell; AutoFit of the legend's columns follows the longest text.
    void LegendText(int row, int col, const std::string& text, lxw_format* format = nullptr)
    {
        const std::string cell = CellText(text);
        Check(worksheet_write_string(legend_, Row(row), static_cast<lxw_col_t>(col), cell.c_str(), format));
        Widen(col, cell);
    }
    void LegendLink(int row, int col, const std::string& sheet)
    {
        const std::string url = "internal:" + sheet + "!A1";
        Check(worksheet_write_url_opt(legend_, Row(row), static_cast<lxw_col_t>(col), url.c_str(), nullptr,
                                      sheet.c_str(), nullptr));
        Widen(col, sheet);
    }
    void Widen(int col, const std::string& text)
    {
        double& width = widths_[static_cast<lxw_col_t>(col)];
        width = std::max(width, static_cast<double>(text.size()));
    }

    void Text(lxw_worksheet* sheet, std::size_t row, std::size_t col, const std::string& text)
    {
        const std::string cell = CellText(text);
        Check(worksheet_write_string(sheet, Row(row), static_cast<lxw_col_t>(col), cell.c_str(), nullptr));
    }

    void WritePlot(int k, const TWorkbookPlot& plot)
    {
        const std::string page = "Page_" + FormatInteger(k);
        const std::string chartName = "Plot_" + FormatInteger(k);
        const int row = k + 1;
        LegendText(row, 2, plot.Caption);
        // A chart needs a series: a plot without points has neither sheet.
        if (!HasPoints(plot)) {
            LegendText(row, 5, kNoPointsStatus);
            return;
        }
        LegendLink(row, 3, page);
        LegendText(row, 4, chartName);

        lxw_worksheet* data = Sheet(page);
        Check(worksheet_write_url_opt(data, 0, 6, "internal:Legend!A1", nullptr, "Go to Legend Page", nullptr));
        Text(data, 0, 0, plot.Caption);
        Text(data, 1, 0, "X");
        Text(data, 1, 1, plot.XTitle);
        Text(data, 2, 0, "Y");
        Text(data, 2, 1, plot.YTitle);
        const std::size_t lines = std::min<std::size_t>(plot.Lines.size(), kMaxSheetLines);
        for (std::size_t t = 0; t < lines; ++t) {
            const TWorkbookLine& line = plot.Lines[t];
            const std::size_t c = 2 * t;
            Text(data, 3, c, line.Name);
            Text(data, 4, c, "X");
            Text(data, 4, c + 1, "Y");
            const std::size_t points = std::min(line.Points.size(), kMaxSheetPoints);
            for (std::size_t p = 0; p < points; ++p) {
                const TWorkbookPoint& point = line.Points[p];
                // A value that is not a number stays an empty cell.
                if (std::isfinite(point.X))
                    Check(worksheet_write_number(data, Row(5 + p), static_cast<lxw_col_t>(c), SheetNumber(point.X),
                                                 nullptr));
                if (std::isfinite(point.Y))
                    Check(worksheet_write_number(data, Row(5 + p), static_cast<lxw_col_t>(c + 1),
                                                 SheetNumber(point.Y), nullptr));
            }
        }

        lxw_chartsheet* sheet = workbook_add_chartsheet(book_, chartName.c_str());
        lxw_chart* chart = workbook_add_chart(book_, LXW_CHART_SCATTER_STRAIGHT_WITH_MARKERS);
        if (!sheet || !chart)
            Fail("The chart " + chartName + " could not be added.");
        int series = 0;
        for (std::size_t t = 0; t < lines && series < kMaxChartSeries; ++t) {
            const TWorkbookLine& line = plot.Lines[t];
            if (line.Points.empty())
                continue; // no range to draw
            const lxw_row_t last = Row(5 + std::min(line.Points.size(), kMaxSheetPoints) - 1);
            const auto col = static_cast<lxw_col_t>(2 * t);
            lxw_chart_series* s = chart_add_series(chart, nullptr, nullptr);
            if (!s)
                Fail("The chart " + chartName + " could not be added.");
            chart_series_set_categories(s, page.c_str(), 5, col, last, col);
            chart_series_set_values(s, page.c_str(), 5, col + 1, last, col + 1);
            const std::string name = CellText(line.Name);
            chart_series_set_name(s, name.c_str());
            ++series;
        }
        chart_title_off(chart);
        const std::string xTitle = CellText(plot.XTitle);
        const std::string yTitle = CellText(plot.YTitle);
        chart_axis_set_name(chart->x_axis, xTitle.c_str());
        chart_axis_major_gridlines_set_visible(chart->x_axis, LXW_TRUE);
        chart_axis_set_name(chart->y_axis, yTitle.c_str());
        chart_axis_major_gridlines_set_visible(chart->y_axis, LXW_TRUE);
        if (plot.ReverseY)
            chart_axis_set_reverse(chart->y_axis);
        Check(chartsheet_set_chart(sheet, chart));

        // The workbook is complete when it is closed; the legend shows the
        // final state of each plot.
        LegendText(row, 5, "Complete");
    }

    std::string path_, target_;
    lxw_workbook* book_ = nullptr;
    lxw_worksheet* legend_ = nullptr;
    lxw_format* bold_ = nullptr;
    std::map<lxw_col_t, double> widths_;
};

// The finished draft; a draft that cannot be read back must not replace the
// target with an empty or partial file.
std::string ReadDraft(const std::string& draft, const std::string& target)
{
    std::ifstream in(draft, std::ios::binary);
    std::ostringstream bytes;
    if (in)
        bytes << in.rdbuf();
    if (!in || !bytes || bytes.view().empty())
        throw EInOutError("Cannot write file \"" + target + "\". The finished workbook could not be read back.");
    return bytes.str();
}

} // namespace

void WritePlotWorkbook(const std::string& path, const std::vector<TWorkbookPlot>& plots)
{
    components::ScopedDecimalSeparator point('.');
    // The library writes its file directly: the workbook is made in a private
    // folder, and the target is replaced only by a complete one.
    const TRunFolder folder("korva-workbook");
    if (folder.Path().empty())
        throw EInOutError("Cannot write file \"" + path + "\". No temporary folder could be made.");
    const std::string draft = folder.Path() + "/workbook.xlsx";
    {
        ScopedClassicLocale classic;
        WorkbookWriter writer(draft, path);
        writer.Write(plots);
        writer.Close();
    }
    components::ReplaceFile(path, ReadDraft(draft, path));
}

bool HasPoints(const TWorkbookPlot& plot)
{
    const std::size_t lines = std::min<std::size_t>(plot.Lines.size(), kMaxSheetLines);
    const auto end = plot.Lines.begin() + static_cast<std::ptrdiff_t>(lines);
    return std::any_of(plot.Lines.begin(), end, [](const TWorkbookLine& line) { return !line.Points.empty(); });
}

bool PlotHasPoints(const components::TGraphPlot& plot)
{
    for (int i = 0; i < plot.LineCount(); ++i)
        if (plot.Line(i)->PointCount() > 0)
            return true;
    return false;
}

TWorkbookPlot WorkbookPlotOf(const components::TGraphPlot& plot)
{
    TWorkbookPlot sheet;
    sheet.Caption = plot.Caption;
    sheet.XTitle = components::AxisTitle(plot.XCaption, plot.XUnits, plot.Units());
    sheet.YTitle = components::AxisTitle(plot.YCaption, plot.YUnits, plot.Units());
    sheet.ReverseY = plot.XOnTop;
    for (int i = 0; i < plot.LineCount(); ++i) {
        const components::TLine& line = *plot.Line(i);
        TWorkbookLine& out = sheet.Lines.emplace_back();
        out.Name = line.GetName();
        for (const components::TFloatPoint& point : line.Points)
            out.Points.push_back({point.X, point.Y});
    }
    return sheet;
}

void WritePlotWorkbook(const std::string& path, const std::vector<const components::TGraphPlot*>& plots)
{
    std::vector<TWorkbookPlot> sheets;
    for (const components::TGraphPlot* plot : plots)
        sheets.push_back(WorkbookPlotOf(*plot));
    WritePlotWorkbook(path, sheets);
}

} // namespace korva::app
