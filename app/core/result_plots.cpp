#include "result_plots.h"

#include <cfloat>
#include <cmath>
#include <filesystem>

#include "exceptions.h"
#include "file_text.h"
#include "project_tables.h"

namespace korva::app {

using components::EInOutError;
using components::FormatInteger;
using components::TGridTable;
using components::TWordReader;

namespace {

// The capacity curves in the order of the plot data file, with their names.
struct CurveMethod {
    int Method;
    const char* Name;
    bool ConeBased; // named only in the offshore edition
};
constexpr CurveMethod kCurveOrder[] = {
    {pmUserSpecified, "User Spec.", false}, {pmFhwa, "FHWA", false},  {pmUsace, "USACE", false},
    {pmRevisedLambda, "Lambda", false},     {pmApi, "API", false},    {pmNgi, "NGI", true},
    {pmIcpMtd, "MTD", true},                {pmFugro, "FUGRO", true}, {pmUwa, "UWA", true},
};

constexpr int kLoadCurves = 9;        // one per assumed tip movement
constexpr int kSettlementPoints = 10; // the origin and one per assumed tip movement
constexpr int kTzPoints = 10;

void SetUp(TGraphPlot& plot, const char* caption, const char* xCaption, const char* xUnits, const char* yCaption,
           const char* yUnits, bool xOnTop)
{
    plot.Caption = caption;
    plot.XCaption = xCaption;
    plot.XUnits = xUnits;
    plot.YCaption = yCaption;
    plot.YUnits = yUnits;
    plot.XOnTop = xOnTop;
}

// The rows of the file's records: each stands on a line of its own with
// exactly this many numbers, so that a line lost or added never moves the
// numbers after it into other fields.
struct PlotRow {
    int Words;
    const char* What;
};
constexpr PlotRow kHeaderRow{4, "the header (curve count, rows per curve, unit system, load-transfer method)"};
constexpr PlotRow kCapacityRow{5, "a row of the capacity curves (depth, skin friction, tip resistance, total "
                                  "capacity, unit skin friction)"};
constexpr PlotRow kTzCountRow{1, "the number of t-z curves"};
constexpr PlotRow kTzHeaderRow{3, "the header of a t-z curve (curve number, point count, depth)"};
constexpr PlotRow kTzPointRow{2, "a point of a t-z curve (load transfer, movement)"};
constexpr PlotRow kLoadRow{3, "a row of the load distribution (depth, axial load, movement)"};
constexpr PlotRow kSettlementRow{4, "a row of the load-settlement curve (load and movement at the head and at "
                                    "the tip)"};

class PlotFileReader {
public:
    PlotFileReader(TResultPlots& plots, TProgramData& data, TWordReader& words)
        : p_(plots), data_(data), words_(words)
    {
    }

    void Read()
    {
        Row(kHeaderRow);
        const int curves = words_.ReadInteger();
        const std::vector<CurveMethod> named = NamedCurves();
        if (curves != static_cast<int>(named.size()))
            Invalid(FormatInteger(curves) + " capacity curves for " + FormatInteger(static_cast<long long>(named.size())) +
                    " selected methods.");
        const int rows = words_.ReadInteger();
        if (rows < 0 || rows > kResultPoints)
            Invalid(FormatInteger(rows) + " rows per curve (at most " + FormatInteger(kResultPoints) + ").");
        const int units = words_.ReadInteger();
        if (units != 1 && units != 2)
            Invalid("unit system " + FormatInteger(units) + ".");
        const int method = words_.ReadInteger();
        const bool tension = data_.LoadDirection == 1;

        for (TGraphPlot* plot : {&p_.pltSkin, &p_.pltUSkin, &p_.pltTip, &p_.pltTotal})
            plot->SetLineCount(curves);
        p_.pltAxial.SetLineCount(1);
        p_.pltLoad.SetLineCount(kLoadCurves);
        p_.PltQw.SetLineCount(1);
        p_.pltCombine.SetLineCount(3);
        p_.pltAxial.XOnTop = data_.LoadDirection <= 0;
        p_.PltQw.XOnTop = data_.LoadDirection <= 0;
        for (TGraphPlot* plot : {&p_.pltSkin, &p_.pltUSkin, &p_.pltTip, &p_.pltTotal, &p_.pltLoad})
            plot->SetPointCount(rows);
        p_.pltAxial.SetPointCount(kSettlementPoints);
        p_.PltQw.SetPointCount(kSettlementPoints);

        const char* settlement = units == 1 ? "Settlement, in." : "Settlement, m";
        p_.pltAxial.YCaption = tension ? (units == 1 ? "Uplift, in." : "Uplift, m") : settlement;
        p_.PltQw.YCaption = settlement;
        // The caption names the unit of the movements (in or m): no unit
        // template of its own, which would add "(mm)" to values in metres.
        p_.PltQw.YUnits.clear();

        // The line of the load-transfer method; -1 when no curve is its.
        int transfer = -1;
        for (int i = 0; i < curves; ++i) {
            p_.pltSkin.Line(i)->Name = named[static_cast<std::size_t>(i)].Name;
            if (named[static_cast<std::size_t>(i)].Method == method)
                transfer = i;
        }
        p_.pltAxial.Line(0)->Name = MethodCurveName(method);
        for (TGraphPlot* plot : {&p_.pltUSkin, &p_.pltTip, &p_.pltTotal})
            for (int i = 0; i < curves; ++i)
                plot->Line(i)->Name = p_.pltSkin.Line(i)->GetName();
        p_.pltCombine.Line(0)->Name = "Skin Friction";
        p_.pltCombine.Line(1)->Name = tension ? "Self Weight" : "Tip Resistance";
        p_.pltCombine.Line(2)->Name = "Total Capacity";

        // P2: depth, then skin friction, tip resistance, total capacity and
        // unit skin friction at that depth.
        for (int i = 0; i < curves; ++i)
            for (int j = 0; j < rows; ++j) {
                Row(kCapacityRow);
                const Extended depth = Number();
                for (TGraphPlot* plot : {&p_.pltSkin, &p_.pltTip, &p_.pltTotal, &p_.pltUSkin})
                    plot->Point(i, j) = {Number(), depth};
                if (i == transfer) {
                    data_.ResultDepths[j] = depth;
                    data_.ResultUnitSkinFriction[j] = p_.pltUSkin.Point(i, j).X;
                    data_.ResultTipResistance[j] = p_.pltTip.Point(i, j).X;
                }
            }
        if (transfer >= 0) {
            data_.ResultPointCount = rows;
            p_.pltCombine.SetPointCount(rows);
            for (int j = 0; j < rows; ++j) {
                p_.pltCombine.Point(0, j) = p_.pltSkin.Point(transfer, j);
                p_.pltCombine.Point(1, j) = p_.pltTip.Point(transfer, j);
                p_.pltCombine.Point(2, j) = p_.pltTotal.Point(transfer, j);
            }
        } else {
            p_.pltCombine.SetPointCount(0);
        }

        ReadTzCurves(p_.pltTZcurves, units);
        // P4: per assumed tip movement, depth, axial load and a movement not shown.
        for (int line = 0; line < kLoadCurves; ++line)
            for (int j = 0; j < rows; ++j) {
                Row(kLoadRow);
                const Extended depth = Number();
                p_.pltLoad.Point(line, j) = {Number(), depth};
                Number();
            }
        // P5: load and movement at the head and at the tip; point 0 is the origin.
        p_.pltAxial.Point(0, 0) = {0, 0};
        p_.PltQw.Point(0, 0) = {0, 0};
        for (int j = 1; j < kSettlementPoints; ++j) {
            Row(kSettlementRow);
            const Extended topLoad = Number();
            const Extended topMovement = Number();
            const Extended tipLoad = Number();
            const Extended tipMovement = Number();
            p_.pltAxial.Point(0, j) = {topLoad, topMovement};
            p_.PltQw.Point(0, j) = {tipLoad, tipMovement};
        }
        if (data_.ExtraTZDepths == 1) {
            ReadTzCurves(p_.PltExtraTZ, units);
        } else if (words_.SeekWord()) {
            // Extra curves of a run made while the project asked for them:
            // checked as the rest, and the plot keeps what it shows.
            TGraphPlot unused;
            ReadTzCurves(unused, units);
        }
        // The counts have read every row the file holds.
        if (words_.SeekWord())
            TWordReader::InputErrorAt(words_.CurrentLine(), 0, "The file holds words after its last record.");

        const TGridTable* layers = data_.Host().Tables ? &data_.Host().Tables->D : nullptr;
        if (layers)
            for (TGraphPlot* plot : {&p_.pltUSkin, &p_.pltSkin, &p_.pltTip, &p_.pltTotal, &p_.pltLoad, &p_.pltCombine})
                AddLayersGraphPlot(*plot, *layers);
        for (int number = 1; number <= kResultPlotCount; ++number)
            p_.Plot(number)->SetUnits(units);
    }

private:
    // The curves the file holds for the project's methods, in file order.
    std::vector<CurveMethod> NamedCurves() const
    {
        std::vector<CurveMethod> named;
        for (const CurveMethod& m : kCurveOrder)
            if (data_.MethodSelected[static_cast<std::size_t>(m.Method)] == 1 &&
                (!m.ConeBased || data_.OffshoreEdition == 1))
                named.push_back(m);
        return named;
    }

    [[noreturn]] void Invalid(const std::string& why) const
    {
        words_.InputError("The plot data file does not fit the project: " + why);
    }

    // Moves to the next row, which must hold the words of its record.
    void Row(const PlotRow& row)
    {
        if (!words_.SeekWord())
            throw EInOutError("The file ends at line " + FormatInteger(words_.LineCount()) + ", where " + row.What +
                              " must follow.");
        const auto words = [](int count) { return FormatInteger(count) + (count == 1 ? " word" : " words"); };
        if (words_.WordCount() != row.Words)
            TWordReader::InputErrorAt(words_.CurrentLine(), 0,
                                      "The line holds " + words(words_.WordCount()) + " where " + row.What +
                                          " holds " + words(row.Words) + ".");
    }

    // The next number of the row; the engine writes doubles, and a number
    // beyond their range is none of its results.
    Extended Number()
    {
        const Extended value = words_.ReadFloat();
        if (!(std::fabs(value) <= DBL_MAX))
            words_.InputError("The number is beyond the range of the analysis results.");
        return value;
    }

    // P3 or P6: the count, then per curve its number, point count and depth,
    // and 10 points of load transfer and movement.
    void ReadTzCurves(TGraphPlot& plot, int units)
    {
        Row(kTzCountRow);
        const int count = words_.ReadInteger();
        if (count < 0 || count > kMaxPlotTzCurves)
            Invalid(FormatInteger(count) + " t-z curves (at most " + FormatInteger(kMaxPlotTzCurves) + ").");
        plot.SetLineCount(count);
        plot.SetPointCount(kTzPoints);
        for (int c = 0; c < count; ++c) {
            Row(kTzHeaderRow);
            words_.ReadInteger(); // curve number
            words_.ReadInteger(); // point count: 10 points whatever it says
            const Extended depth = Number();
            plot.Line(c)->Name = components::FormatGeneral(depth, components::kShortestPrecision) +
                                 (units == 1 ? " ft" : " m");
            for (int j = 0; j < kTzPoints; ++j) {
                Row(kTzPointRow);
                const Extended transfer = Number();
                plot.Point(c, j) = {Number(), transfer};
            }
        }
    }

    TResultPlots& p_;
    TProgramData& data_;
    TWordReader& words_;
};

} // namespace

TResultPlots::TResultPlots()
{
    SetUp(pltUSkin, "Unit Skin Friction vs Depth", "Unit Skin Friction", "F1/L2^2", "Depth", "L2", true);
    SetUp(pltSkin, "Accumulated Skin Friction vs Depth", "Accumulated Skin Friction ", "F1", "Depth ", "L2", true);
    SetUp(pltTip, "Tip Resistance vs Depth", "Tip Resistance ", "F1", "Depth ", "L2", true);
    SetUp(pltTotal, "Total Capacity vs Depth", "Total Capacity ", "F1", "Depth ", "L2", true);
    SetUp(pltCombine, "Combine Plot", "Axial Capacity", "F1", "Depth", "L2", true);
    SetUp(pltLoad, "Load Distribution", "Total Capacity ", "F1", "Depth ", "L2", true);
    SetUp(pltAxial, "Axial Load vs Settlement", "Axial Load ", "F1", "Settlement ", "", true);
    SetUp(PltQw, "Internally-Generated Q-w Curve", "Tip Resistance, Q", "F1", "Tip Movement,w", "L1", true);
    SetUp(pltTZcurves, "Internally-Generated t-z Curves", "Displacement, z", "L", "Unit Load Transfer, t", "F/L^2",
          false);
    SetUp(PltExtraTZ, "Extra t-z curves at User Specified Depths", "Displacement, z", "L", "Unit Load Transfer, t",
          "F/L^2", false);
}

TGraphPlot* TResultPlots::Plot(int number)
{
    switch (number) {
    case rpUnitSkinFriction: return &pltUSkin;
    case rpSkinFriction: return &pltSkin;
    case rpTipResistance: return &pltTip;
    case rpTotalCapacity: return &pltTotal;
    case rpLoadDistribution: return &pltLoad;
    case rpCombined: return &pltCombine;
    case rpAxialLoad: return &pltAxial;
    case rpTzCurves: return &pltTZcurves;
    case rpExtraTzCurves: return &PltExtraTZ;
    case rpQwCurve: return &PltQw;
    default: return nullptr;
    }
}

void TResultPlots::SetHost(components::TPlotHost* host)
{
    for (int number = 1; number <= kResultPlotCount; ++number)
        Plot(number)->SetHost(host);
}

void TResultPlots::Clear()
{
    for (int number = 1; number <= kResultPlotCount; ++number) {
        Plot(number)->SetLineCount(0);
        Plot(number)->SetLayerCount(0);
    }
}

std::string MethodCurveName(int method)
{
    for (const CurveMethod& m : kCurveOrder)
        if (m.Method == method)
            return m.Name;
    return "";
}

void ReadPlotDataFile(TResultPlots& plots, TProgramData& data, const std::string& fileName)
{
    data.ResultPointCount = 0;
    data.ResultDepths.fill(0);
    data.ResultUnitSkinFriction.fill(0);
    data.ResultTipResistance.fill(0);
    try {
        TWordReader words(fileName);
        // A run that stopped before its results leaves the file empty.
        if (!words.SeekWord())
            throw EInOutError("The plot data file \"" + fileName + "\" is empty.");
        try {
            PlotFileReader(plots, data, words).Read();
        } catch (const EInOutError& e) {
            throw EInvalidPlotFile("The plot data file \"" + fileName + "\" is invalid.\r" + e.Message());
        }
    } catch (const EInOutError&) {
        plots.Clear();
        data.ResultPointCount = 0;
        throw;
    }
}

bool ReadPlotFile(TResultPlots& plots, TProgramData& data, const std::string& fileName, bool showErrors)
{
    std::string message = kPlotFileError;
    try {
        ReadPlotDataFile(plots, data, fileName);
        return true;
    } catch (const EInvalidPlotFile& e) {
        message += "\r" + e.Message(); // where the file does not fit
    } catch (const EInOutError&) {
        // missing, unreadable or empty: the report of the run tells why
    }
    if (showErrors && data.Host().Events.ShowInformation)
        data.Host().Events.ShowInformation(message);
    return false;
}

void AddLayersGraphPlot(TGraphPlot& plot, const TGridTable& layers)
{
    if (plot.PointCount() == 0)
        return;
    // Fresh layer lines: a layer that is no longer sand or clay keeps no
    // pattern of an earlier read.
    plot.SetLayerCount(0);
    plot.SetLayerCount(layers.RowCount());
    plot.SetLayerPointCount(1);
    for (int i = 0; i < layers.RowCount(); ++i) {
        components::TLine& layer = *plot.Layer(i);
        layer.Name = "LAYER " + FormatInteger(i + 1);
        const int type = layers.Cell(layer_col::SoilType, i).GetAsInteger();
        if (type == kSand) {
            layer.Name = " SAND ";
            layer.Point(0).X = 7;
        } else if (type == kClay) {
            layer.Name = " CLAY ";
            layer.Point(0).X = 1;
        }
        layer.Point(0).Y = layers.Cell(layer_col::LayerBottom, i).GetAsFloat();
    }
}

TGraphicsMenuState GraphicsMenuState(bool plotLoaded, const TProgramData& data)
{
    TGraphicsMenuState state;
    std::error_code ignored;
    const bool loaded = plotLoaded && std::filesystem::exists(ChangeFileExt(data.FileName, ".kv7p"), ignored);
    state.Plots.fill(loaded);
    state.Export = loaded;
    if (data.ExtraTZDepths == 0)
        state.Plots[rpExtraTzCurves - 1] = false;
    if (data.LoadDirection > 0) {
        state.Plots[rpTipResistance - 1] = false;
        state.Plots[rpQwCurve - 1] = false;
    }
    return state;
}

} // namespace korva::app
