// korva-gui-probe's entry and render-table verbs, run as a script runs them:
// without a display, one JSON object as the last line.
#include <string>

#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <gtest/gtest.h>

#include "probe_runner.h"
#include "temp_folder.h"
#include "test_support.h"

namespace korva::test {
namespace {

const std::string kSandPile = DataPath("../../examples/sand-pile.kv7d");

TEST(TableProbe, RenderTableWritesTheWindowAndItsState)
{
    TempFolder folder;
    const ProbeRun run = Probe("render-table " + kSandPile + " D " + folder.Path("d.png"));
    ASSERT_EQ(run.ExitCode, 0);
    EXPECT_TRUE(run.Json["ok"].toBool());
    EXPECT_EQ(run.Json["messages"].toArray().size(), 0);
    EXPECT_EQ(run.Json["rows"].toInt(), 3);
    EXPECT_EQ(run.Json["visible_rows"].toInt(), 3);
    for (const char* button : {"add", "insert", "delete"}) {
        EXPECT_TRUE(run.Json["buttons"][button]["visible"].toBool()) << button;
        EXPECT_TRUE(run.Json["buttons"][button]["enabled"].toBool()) << button;
    }
    const QImage picture(QString::fromStdString(folder.Path("d.png")));
    ASSERT_FALSE(picture.isNull());
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 3)
        for (int x = 0; x < picture.width(); x += 3)
            colours.insert(picture.pixel(x, y));
    EXPECT_GT(colours.size(), 10); // not blank

    // A layer's property table: two fixed rows, no row buttons.
    const ProbeRun layer = Probe("render-table " + kSandPile + " D:2 " + folder.Path("clay.png"));
    EXPECT_EQ(layer.Json["rows"].toInt(), 2);
    EXPECT_FALSE(layer.Json["buttons"]["add"]["visible"].toBool());

    // 25 rows show 10.
    const ProbeRun tall = Probe("render-table " + kSandPile + " TblTZDepth " + folder.Path("tz.png") + " --rows 25");
    EXPECT_EQ(tall.Json["rows"].toInt(), 25);
    EXPECT_EQ(tall.Json["visible_rows"].toInt(), 10);

    EXPECT_EQ(Probe("render-table " + kSandPile + " Nothing " + folder.Path("x.png")).ExitCode, 2);
    EXPECT_EQ(Probe("render-table " + kSandPile + " D:9 " + folder.Path("x.png")).ExitCode, 2);
}

TEST(TableProbe, EntryLeavesTheFieldAndReportsIt)
{
    ProbeRun run = Probe("entry 2*3 --units L2 --unit-system 2 --caption '&Total Length, TL'");
    EXPECT_TRUE(run.Json["valid"].toBool());
    EXPECT_EQ(run.Json["text"].toString(), "6");
    EXPECT_EQ(run.Json["value"].toDouble(), 6);
    EXPECT_EQ(run.Json["label"].toString(), "&Total Length, TL (m)");

    run = Probe("entry -1 --min 0");
    EXPECT_TRUE(run.Json["ok"].toBool());
    EXPECT_FALSE(run.Json["valid"].toBool());
    EXPECT_EQ(run.Json["text"].toString(), "0");
    EXPECT_EQ(run.Json["messages"].toArray(), QJsonArray{"Entry must be greater than or equal to 0"});

    run = Probe("entry 2.5 --integer");
    EXPECT_EQ(run.Json["messages"].toArray(), QJsonArray{"Entry must be an integer."});
    EXPECT_EQ(Probe("entry 255 --hex").Json["text"].toString(), "$00FF");
    EXPECT_TRUE(Probe("entry abc").Json["value"].isNull());
    EXPECT_EQ(Probe("entry 1 --max x").ExitCode, 2);
}

} // namespace
} // namespace korva::test
