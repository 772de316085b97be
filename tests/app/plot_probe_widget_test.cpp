// korva-gui-probe's save-bitmap and print-pdf verbs, run as a script runs
// them: the synthetic plot, or a project's result plot after a run, saved
// through "&Save To Disk..." and printed through "&Print..."; and no verb
// writing over a file it reads.
#include <cmath>
#include <string>
#include <vector>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <poppler-qt6.h>

#include "probe_runner.h"
#include "project_fixture.h"
#include "temp_folder.h"

namespace korva::test {
namespace {

TEST(PlotProbe, SaveBitmapDefaultsTo432By288TwentyFourBits)
{
    TempFolder folder;
    const ProbeRun run = Probe("save-bitmap " + folder.Path("plot.bmp"));
    ASSERT_EQ(run.ExitCode, 0);
    EXPECT_TRUE(run.Json["ok"].toBool());
    EXPECT_EQ(run.Json["width"].toInt(), 432);
    EXPECT_EQ(run.Json["height"].toInt(), 288);
    QFile file(QString::fromStdString(folder.Path("plot.bmp")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(54);
    ASSERT_TRUE(header.startsWith("BM"));
    EXPECT_EQ(static_cast<int>(header[28]), 24); // bits per pixel
    EXPECT_EQ(QImage(QString::fromStdString(folder.Path("plot.bmp"))).size(), QSize(432, 288));

    const ProbeRun small = Probe("save-bitmap " + folder.Path("small.bmp") + " --width 2 --height 2 --ppi 10");
    EXPECT_EQ(small.Json["width"].toInt(), 20);
    EXPECT_EQ(small.Json["height"].toInt(), 20);

    const ProbeRun large = Probe("save-bitmap " + folder.Path("large.bmp") + " --width 1000");
    EXPECT_FALSE(large.Json["ok"].toBool());
    EXPECT_EQ(large.Json["messages"].toArray(),
              QJsonArray{"There is not enough memory to complete this task."});
    EXPECT_FALSE(folder.Exists("large.bmp"));
}

TEST(PlotProbe, PrintPdfWritesOnePage)
{
    TempFolder folder;
    const ProbeRun run = Probe("print-pdf " + folder.Path("plot.pdf"));
    ASSERT_EQ(run.ExitCode, 0);
    EXPECT_TRUE(run.Json["ok"].toBool());
    EXPECT_EQ(run.Json["pages"].toInt(), 1);
    EXPECT_EQ(run.Json["messages"].toArray().size(), 0);
    EXPECT_EQ(folder.Read("plot.pdf").rfind("%PDF", 0), 0u);

    const ProbeRun margins = Probe("print-pdf " + folder.Path("half.pdf") + " --margins 500,500,500,2000");
    EXPECT_TRUE(margins.Json["ok"].toBool());
    EXPECT_EQ(margins.Json["pages"].toInt(), 1);
    // A margin the page setup refuses: its message, nothing printed.
    const ProbeRun refused = Probe("print-pdf " + folder.Path("no.pdf") + " --margins -5,0,0,0");
    EXPECT_FALSE(refused.Json["ok"].toBool());
    EXPECT_EQ(refused.Json["messages"].toArray().size(), 1);
    EXPECT_FALSE(folder.Exists("no.pdf"));
    EXPECT_EQ(Probe("print-pdf " + folder.Path("x.pdf") + " --margins 500,500").ExitCode, 2);
}

// A project of three layers, run: its plot data file lies beside it.
struct RunProject {
    RunProject()
    {
        ProjectHost h;
        TProgramData p(h.host);
        MakeEnglishThreeLayers(p, h);
        p.FileName = Project();
        p.SaveToFile();
        const ProbeRun run = Probe("run " + Project());
        EXPECT_EQ(run.Json["status"].toInt(-1), 0);
    }
    std::string Project() const { return folder.Path("pile.kv7d"); }
    // The files opening the project reads, as they are.
    std::vector<std::string> Inputs() const
    {
        return {folder.Read("pile.kv7d"), folder.Read("pile.cpt"), folder.Read("pile.kv7p")};
    }
    TempFolder folder;
};

// Every tick label named in "ticks" centred on its tick along its axis;
// the labels in "resolution" pixels per inch. Returns the x and y counts.
std::pair<int, int> ExpectLabelsAtTheirTicks(const QJsonObject& json)
{
    int xs = 0;
    int ys = 0;
    for (const QJsonValue& value : json["ticks"].toArray()) {
        const QJsonObject tick = value.toObject();
        const QJsonArray at = tick["tick"].toArray();
        const QJsonArray label = tick["label"].toArray();
        const bool x = tick["axis"].toString() == "x";
        const double centre = x ? (label[0].toInt() + label[2].toInt()) / 2.0 : (label[1].toInt() + label[3].toInt()) / 2.0;
        EXPECT_NEAR(centre, at[x ? 0 : 1].toInt(), 1.0) << tick["text"].toString().toStdString();
        ++(x ? xs : ys);
    }
    return {xs, ys};
}

TEST(PlotProbe, AProjectsResultPlotPrintedNamesItsTickLabels)
{
    RunProject run;
    const std::vector<std::string> inputs = run.Inputs();
    const std::string pdf = run.folder.Path("total.pdf");
    const ProbeRun printed = Probe("print-pdf " + run.Project() + " 4 " + pdf + " --margins 500,500,500,500");
    ASSERT_EQ(printed.ExitCode, 0);
    EXPECT_TRUE(printed.Json["ok"].toBool()) << printed.Json["messages"].toArray().size();
    EXPECT_EQ(printed.Json["caption"].toString(), "Total Capacity vs Depth");
    EXPECT_EQ(printed.Json["pages"].toInt(), 1);
    EXPECT_TRUE(run.Inputs() == inputs) << "the project's files were written";
    EXPECT_EQ(run.folder.Read("total.pdf").rfind("%PDF", 0), 0u);
    EXPECT_EQ(printed.Json["resolution"].toArray(), (QJsonArray{1200, 1200}));
    const auto [xs, ys] = ExpectLabelsAtTheirTicks(printed.Json);
    EXPECT_GE(xs, 3);
    EXPECT_GE(ys, 3);

    // Where the JSON puts each label, a PDF viewer finds its text.
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::load(QString::fromStdString(pdf));
    ASSERT_TRUE(document);
    const std::unique_ptr<Poppler::Page> page = document->page(0);
    const auto boxes = page->textList();
    for (const QJsonValue& value : printed.Json["ticks"].toArray()) {
        const QJsonObject tick = value.toObject();
        const QJsonArray label = tick["label"].toArray();
        const QPointF centre((label[0].toInt() + label[2].toInt()) * 36.0 / 1200,
                             (label[1].toInt() + label[3].toInt()) * 36.0 / 1200);
        bool found = false;
        for (const auto& box : boxes)
            found = found || (box->text() == tick["text"].toString() &&
                              std::hypot(box->boundingBox().center().x() - centre.x(),
                                         box->boundingBox().center().y() - centre.y()) < 1.5);
        EXPECT_TRUE(found) << tick["text"].toString().toStdString();
    }
}

TEST(PlotProbe, AProjectsResultPlotSavedAsABitmap)
{
    RunProject run;
    const std::vector<std::string> inputs = run.Inputs();
    const ProbeRun saved = Probe("save-bitmap " + run.Project() + " 6 " + run.folder.Path("combined.bmp") +
                                 " --width 8 --height 6 --ppi 100 --soil-layers");
    ASSERT_EQ(saved.ExitCode, 0);
    EXPECT_TRUE(saved.Json["ok"].toBool());
    EXPECT_EQ(saved.Json["width"].toInt(), 800);
    EXPECT_EQ(saved.Json["height"].toInt(), 600);
    EXPECT_EQ(saved.Json["lines"].toArray(), (QJsonArray{"Skin Friction", "Tip Resistance", "Total Capacity"}));
    EXPECT_EQ(saved.Json["layer_column"].toArray().size(), 4);
    EXPECT_EQ(QImage(QString::fromStdString(run.folder.Path("combined.bmp"))).size(), QSize(800, 600));
    const auto [xs, ys] = ExpectLabelsAtTheirTicks(saved.Json);
    EXPECT_GE(xs, 2);
    EXPECT_GE(ys, 2);
    EXPECT_EQ(run.Inputs(), inputs);

    // The forms of the arguments.
    EXPECT_EQ(Probe("save-bitmap " + run.Project() + " 6").ExitCode, 2);
    EXPECT_EQ(Probe("save-bitmap " + run.Project() + " 11 " + run.folder.Path("x.bmp")).ExitCode, 2);
    EXPECT_EQ(Probe("print-pdf " + run.Project() + " 4 " + run.folder.Path("x.pdf") + " --lines 3").ExitCode, 2);
    EXPECT_EQ(Probe("print-pdf " + run.folder.Path("x.pdf") + " --soil-layers").ExitCode, 2);
    // A project alone is not taken for the synthetic plot's output.
    EXPECT_EQ(Probe("print-pdf " + run.Project()).ExitCode, 2);
    EXPECT_EQ(Probe("save-bitmap " + run.Project() + " --width 2").ExitCode, 2);
    EXPECT_EQ(run.Inputs(), inputs);
    EXPECT_FALSE(run.folder.Exists("x.bmp"));
    EXPECT_FALSE(run.folder.Exists("x.pdf"));
}

// Each verb that writes a file, given one that it reads as its output.
TEST(PlotProbe, NoVerbWritesOverAFileItReads)
{
    RunProject run;
    const std::vector<std::string> inputs = run.Inputs();
    const std::string p = run.Project();
    const std::string cpt = run.folder.Path("pile.cpt");
    const std::string plotData = run.folder.Path("pile.kv7p");
    const std::vector<std::string> commands = {
        "print-pdf " + p + " 4 " + p,
        "print-pdf " + p + " 1 " + plotData + " --margins 500,500,500,500",
        "save-bitmap " + p + " 4 " + cpt,
        "render-plot " + p + " 4 " + p,
        "export-xlsx " + p + " " + plotData,
        "save " + p + " " + p,
        "save " + p + " " + run.folder.Path("pile.kv6d"), // its CPT point file is pile.cpt
        "layers " + p + " " + p + " add",
        "dialog title " + p + " " + p,
        "dialog title " + p + " " + run.folder.Path("title.png") + " --save " + p,
        "elevation " + p + " " + plotData,
        "render-table " + p + " D " + cpt,
        "soil-properties " + p + " 1 " + p,
        "soil-properties " + p + " 1 " + run.folder.Path("layer.png") + " --save " + p,
        "units " + p + " 2 " + p,
        // The same file by another path.
        "print-pdf " + p + " 4 " + run.folder.Folder() + "/./pile.kv7d",
    };
    for (const std::string& command : commands) {
        const ProbeRun refused = Probe(command);
        EXPECT_EQ(refused.ExitCode, 0) << command;
        EXPECT_FALSE(refused.Json["ok"].toBool()) << command;
        const QJsonArray messages = refused.Json["messages"].toArray();
        ASSERT_EQ(messages.size(), 1) << command;
        EXPECT_TRUE(messages[0].toString().startsWith("Not written: ")) << command;
        EXPECT_TRUE(run.Inputs() == inputs) << "the project's files were written: " << command;
    }
    EXPECT_FALSE(run.folder.Exists("title.png"));
    EXPECT_FALSE(run.folder.Exists("layer.png"));
    EXPECT_FALSE(run.folder.Exists("pile.kv6d"));
}

} // namespace
} // namespace korva::test
