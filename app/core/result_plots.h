#pragma once
// The ten result plots of the main window and their reader: ReadPlotFile
// fills them, and the project's result arrays, from the engine's plot data
// file (.kv7p); the Graphics menu shows them and the spreadsheet export
// writes them.
#include <array>
#include <string>

#include "exceptions.h"
#include "graph_plot.h"
#include "grid_table.h"
#include "program_data.h"
#include "word_reader.h"

namespace korva::app {

using components::TGraphPlot;

// The plots by their number in the Graphics menu and the export list.
enum TResultPlot : int {
    rpUnitSkinFriction = 1,
    rpSkinFriction,
    rpTipResistance,
    rpTotalCapacity,
    rpLoadDistribution,
    rpCombined,
    rpAxialLoad,
    rpTzCurves,
    rpExtraTzCurves,
    rpQwCurve,
};
inline constexpr int kResultPlotCount = 10;

// More t-z curves than the engine ever writes (three per soil layer and 100
// extra depths): a count beyond it makes the file invalid.
inline constexpr int kMaxPlotTzCurves = 1000;

// The message of a plot data file that cannot be read.
inline constexpr const char* kPlotFileError = "An error occured in running the main program.";

class TResultPlots {
public:
    // Every plot with its captions, unit templates and options.
    TResultPlots();
    TResultPlots(const TResultPlots&) = delete;
    TResultPlots& operator=(const TResultPlots&) = delete;

    TGraphPlot pltUSkin;
    TGraphPlot pltSkin;
    TGraphPlot pltTip;
    TGraphPlot pltTotal;
    TGraphPlot pltCombine;
    TGraphPlot pltLoad;
    TGraphPlot pltAxial;
    TGraphPlot PltQw;
    TGraphPlot pltTZcurves;
    TGraphPlot PltExtraTZ;

    // The plot of a number 1..10 (TResultPlot); nullptr for any other.
    TGraphPlot* Plot(int number);
    // The windows of every plot are made by this host.
    void SetHost(components::TPlotHost* host);
    // Every plot without lines and layers (no result).
    void Clear();
};

// A plot data file whose words do not fit its records or the project.
class EInvalidPlotFile : public components::EInOutError {
public:
    using EInOutError::EInOutError;
};

// Reads the plot data file into the plots and the project's result arrays
// (the curve of the load-transfer method). Every row of a record stands on a
// line of its own with exactly its words, every number within the range of
// a double, and the counts read every line the file holds. Raises
// EInOutError when the file cannot be read or is empty (a run that stopped),
// EInvalidPlotFile "The plot data file "<path>" is invalid." CR and the line
// that does not fit ("Error on Line <l>[ Item <i>]" CR why) when a row
// holds other words than its record's, a word is not a number, the curve
// count is not the methods the project selected, the rows per curve are
// more than the result arrays hold, the unit system is not 1 or 2, there
// are more t-z curves than kMaxPlotTzCurves, the file ends early or holds
// words after its last record. The plots and the result arrays are then
// left empty.
void ReadPlotDataFile(TResultPlots& plots, TProgramData& data, const std::string& fileName);

// ReadPlotFile: ReadPlotDataFile, with the failure shown as kPlotFileError
// when showErrors (through the project's ShowInformation), followed by the
// message of an invalid file on lines of its own. True when read.
bool ReadPlotFile(TResultPlots& plots, TProgramData& data, const std::string& fileName, bool showErrors);

// One soil-layer line per row of the soil layer table, when the plot has a
// line with points: " SAND " (pattern 7), " CLAY " (pattern 1), else
// "LAYER <n>" without pattern; its one point at the layer's bottom depth.
void AddLayersGraphPlot(TGraphPlot& plot, const components::TGridTable& layers);

// The Graphics menu's entries in the order of the plot numbers, and the
// export entry, as GraphicsMenuClick enables them: all only when the last
// run's plots are loaded and the project's plot data file exists; the extra
// t-z curves only when the project asks for them; tip resistance and the
// Q-w curve not in tension.
struct TGraphicsMenuState {
    std::array<bool, kResultPlotCount> Plots{};
    bool Export = false;
    bool PlotEnabled(int number) const { return number >= 1 && number <= kResultPlotCount && Plots[number - 1]; }
};
TGraphicsMenuState GraphicsMenuState(bool plotLoaded, const TProgramData& data);

// The curve name of each capacity method in the plots ("User Spec.", "FHWA",
// ...), by TPileMethod; "" for a number outside 1..9.
std::string MethodCurveName(int method);

} // namespace korva::app
