// korva-gui-probe's save-bitmap and print-pdf verbs, run as a script runs
// them: the synthetic plot saved through "&Save To Disk..." and printed
// through "&Print...".
#include <string>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <gtest/gtest.h>

#include "probe_runner.h"
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

} // namespace
} // namespace korva::test
