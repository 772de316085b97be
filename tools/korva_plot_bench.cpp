// korva-plot-bench: times the repaint of a plot window.
//
//   korva-plot-bench [--runs N]
//
// Opens the benchmark plot (9 curves of 500 points with a marker on every
// point, benchmark_plot.h) in a plot window of the multiple-document area,
// its drawing surface 1000 x 750 pixels, headless (offscreen), and repaints
// it N times (default 50) after one untimed repaint. Prints the time of each
// repaint, then the median and the spread (fastest, slowest, interquartile
// range) in milliseconds. Exit code 0, or 2 when the window could not be
// set up.
#include <chrono>
#include <cstdlib>
#include <string_view>
#include <vector>

#include <QCoreApplication>
#include <QMdiArea>

#include "bench_figures.h"
#include "benchmark_plot.h"
#include "korva_application.h"
#include "plot_form.h"
#include "qt_services.h"
#include "tool_messages.h"

using namespace korva;
using namespace korva::tools;

namespace {

constexpr const char* Tool = "korva-plot-bench";
constexpr const char* UsageLine = "korva-plot-bench [--runs N]";

} // namespace

int main(int argc, char** argv)
{
    int runs = 50;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg != "--runs" || ++i >= argc)
            return Usage(UsageLine);
        const std::optional<int> count = RunCount(argv[i]);
        if (!count)
            return Usage(UsageLine);
        runs = *count;
    }
    // Headless whatever the environment: the figure is the drawing's own.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The program's own services, in force before the application, as it starts.
    widgets::TQtServices qtServices;
    const widgets::TScopedUiServices installed(qtServices.Services());
    int qtArgc = 1;
    widgets::TKorvaApplication app(qtArgc, argv, "Korva 2015");

    QMdiArea area;
    area.resize(kBenchmarkWidth + 200, kBenchmarkHeight + 200);
    area.show();
    widgets::TMdiPlotHost host(area);
    components::TGraphPlot plot;
    FillBenchmarkPlot(plot);
    plot.SetHost(&host);
    plot.Show();
    auto* form = dynamic_cast<widgets::TPlotForm*>(plot.Window());
    if (!form)
        return Fail(Tool, "the plot window could not be opened");
    form->SetClientSize(kBenchmarkWidth, kBenchmarkHeight);
    QCoreApplication::processEvents();
    QWidget* canvas = form->Canvas();
    if (canvas->width() != kBenchmarkWidth || canvas->height() != kBenchmarkHeight)
        return Fail(Tool, "the drawing surface is not 1000 x 750 pixels");

    std::vector<double> times;
    for (int n = 0; n <= runs; ++n) {
        const auto start = std::chrono::steady_clock::now();
        canvas->repaint();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        if (n > 0) // the first repaint makes the fonts and the backing store
            times.push_back(took.count());
    }
    if (!form->LastPaint().Painted)
        return Fail(Tool, "the plot was not painted");
    PrintRuns(times);
    std::printf("plot: %d curves x %d points, a marker on every point, %d x %d pixels\n", kBenchmarkCurves,
                kBenchmarkPoints, kBenchmarkWidth, kBenchmarkHeight);
    PrintSpread(times);
    return 0;
}
