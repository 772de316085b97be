#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <sys/stat.h>

#include "atomic_file.h"
#include "engine_run.h"
#include "exceptions.h"
#include "file_text.h"
#include "golden.h"
#include "message_of.h"
#include "project_fixture.h"
#include "scoped_file_size_limit.h"
#include "temp_folder.h"
#include "test_support.h"

namespace korva::test {
namespace {

using components::EInOutError;

using ProjectMaker = void (*)(TProgramData&, ProjectHost&);

struct Sample {
    const char* name; // golden files tests/data/app/<name>.kv7d and .cpt
    ProjectMaker make;
};

const Sample kSamples[] = {
    {"english-three-layers", MakeEnglishThreeLayers},
    {"si-all-soils", MakeSiAllSoils},
};

std::string Golden(const std::string& name)
{
    return "app/" + name;
}

std::string ReadGolden(const std::string& relative)
{
    return ReadText(DataPath(relative));
}

// Makes the sample project and saves it into the folder as <base>.kv7d.
void SaveSample(const Sample& sample, const std::string& path)
{
    ProjectHost h;
    TProgramData p(h.host);
    sample.make(p, h);
    p.FileName = path;
    p.SaveToFile();
    EXPECT_FALSE(h.modified);
    EXPECT_EQ(p.CptPointFileName, ChangeFileExt(path, ".cpt"));
}

// Reads the file (with the CPT point file beside it) and saves it as
// <saveAs>; returns the messages shown while reading.
std::vector<std::string> ReadAndSaveAs(const std::string& path, int version, const std::string& saveAs)
{
    ProjectHost h;
    auto p = TProgramData::CreateFromFile(h.host, path, version);
    EXPECT_FALSE(h.modified);
    p->FileName = saveAs;
    p->SaveToFile();
    return h.messages;
}

// The text with `count` lines from `first` (0-based) replaced by `lines`.
std::string ReplaceLines(std::string file, int first, int count, const std::string& lines)
{
    std::size_t begin = 0;
    for (int i = 0; i < first; ++i)
        begin = file.find("\r\n", begin) + 2;
    std::size_t end = begin;
    for (int i = 0; i < count; ++i)
        end = file.find("\r\n", end) + 2;
    return file.replace(begin, end - 2 - begin, lines);
}

// The English sample with one line replaced. Its lines: 0-2 titles, 3 R4,
// 4 R5, 5 R6, 6 R7, 7 R8, 8 R9, 9-20 the six soil points, 21 R11, 22 R13,
// 23 R14, 24 R15, 25-26 R15a, 27 R16.
std::string EnglishWith(int line, const std::string& text)
{
    return ReplaceLines(ReadGolden(Golden("english-three-layers.kv7d")), line, 1, text);
}

struct ReadResult {
    std::unique_ptr<ProjectHost> host = std::make_unique<ProjectHost>();
    std::unique_ptr<TProgramData> data;
    std::string Message() const { return host->messages.empty() ? "<none>" : host->messages.front(); }
};

ReadResult ReadProjectText(const std::string& text, int version = pfvCurrent)
{
    TempFolder folder;
    folder.Write("in.kv7d", text);
    ReadResult result;
    result.data = TProgramData::CreateFromFile(result.host->host, folder.Path("in.kv7d"), version);
    return result;
}

TEST(ProjectFile, SamplesAreWrittenAsTheGoldenFiles)
{
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.name);
        TempFolder folder;
        SaveSample(sample, folder.Path("pile.kv7d"));
        ExpectMatchesGolden(folder.Read("pile.kv7d"), Golden(sample.name) + ".kv7d");
        ExpectMatchesGolden(folder.Read("pile.cpt"), Golden(sample.name) + ".cpt");
    }
}

TEST(ProjectFile, ReadingBackAndWritingAgainGivesTheSameBytes)
{
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.name);
        TempFolder folder;
        folder.Write("in.kv7d", ReadGolden(Golden(sample.name) + ".kv7d"));
        folder.Write("in.cpt", ReadGolden(Golden(sample.name) + ".cpt"));
        EXPECT_TRUE(ReadAndSaveAs(folder.Path("in.kv7d"), pfvCurrent, folder.Path("out.kv7d")).empty());
        EXPECT_EQ(folder.Read("out.kv7d"), folder.Read("in.kv7d"));
        EXPECT_EQ(folder.Read("out.cpt"), folder.Read("in.cpt"));
    }
}

TEST(ProjectFile, TheEngineReadsAndRunsBothSamples)
{
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.name);
        RunFolder folder;
        folder.WriteHandOff("pile");
        SaveSample(sample, folder.Path("pile.kv7d"));
        const RunResult run = RunEngine(folder, "pile");
        EXPECT_EQ(run.status, 0) << run.report;
        EXPECT_EQ(run.errors, "");
    }
}

TEST(ProjectFile, CommaDecimalLocaleChangesNothing)
{
    ScopedCommaLocale comma;
    ASSERT_TRUE(comma.Active());
    components::ScopedDecimalSeparator separator(',');
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.name);
        TempFolder folder;
        SaveSample(sample, folder.Path("pile.kv7d"));
        EXPECT_EQ(folder.Read("pile.kv7d"), ReadGolden(Golden(sample.name) + ".kv7d"));
        EXPECT_EQ(folder.Read("pile.cpt"), ReadGolden(Golden(sample.name) + ".cpt"));
        EXPECT_TRUE(ReadAndSaveAs(folder.Path("pile.kv7d"), pfvCurrent, folder.Path("again.kv7d")).empty());
        EXPECT_EQ(folder.Read("again.kv7d"), folder.Read("pile.kv7d"));
        EXPECT_EQ(components::DecimalSeparator(), ',');
    }
    // An integer written with a decimal point reads as well.
    const ReadResult r = ReadProjectText(EnglishWith(3, "1.0 2 6 0 "));
    EXPECT_EQ(r.Message(), "<none>");
    EXPECT_EQ(r.data->PrintEvery, 2);
    EXPECT_EQ(components::DecimalSeparator(), ',');
}

TEST(ProjectFile, ReadingKeepsTheValuesAndTheCptPoints)
{
    TempFolder folder;
    folder.Write("in.kv7d", ReadGolden(Golden("english-three-layers.kv7d")));
    folder.Write("in.cpt", ReadGolden(Golden("english-three-layers.cpt")));
    ProjectHost h;
    auto p = TProgramData::CreateFromFile(h.host, folder.Path("in.kv7d"), pfvCurrent);
    EXPECT_EQ(p->FileName, folder.Path("in.kv7d"));
    EXPECT_EQ(p->ProjectTitle, "Open-ended pipe pile in sand and clay"); // no CR from the CRLF line
    EXPECT_EQ(p->JobNumber, "KV-2015-001");
    EXPECT_EQ(p->OuterDiameter, 24);
    EXPECT_EQ(p->IncrementLength, 0.5L);
    EXPECT_EQ(p->SoilProfileBottom, 80);
    EXPECT_EQ(p->CircularSection, 1);
    EXPECT_EQ(p->MethodSelected, (std::array<std::int32_t, 11>{0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0}));
    const TGridTable& d = h.tables.D;
    ASSERT_EQ(d.RowCount(), 3);
    EXPECT_EQ(d.Cell(layer_col::SoilType, 1).GetAsInteger(), kClay);
    EXPECT_EQ(d.Cell(layer_col::LayerBottom, 1).GetAsFloat(), 45);
    TGridTable& clay = d.Cell(layer_col::Properties, 1).GetAsTable();
    EXPECT_EQ(clay.Number(), 2);
    EXPECT_EQ(clay.Cell(clay_col::EffectiveUnitWeight, 1).GetAsFloat(), 57.6L);
    EXPECT_EQ(clay.Cell(clay_col::AdhesionMethod, 1).GetAsInteger(), 2);
    ASSERT_EQ(h.cpt.PointCount(), 3);
    EXPECT_EQ(p->CptPointCount(), 3);
    EXPECT_EQ(h.cpt.Point(1).X, 82500.5L); // every digit the engine reads
    EXPECT_EQ(h.cpt.Point(1).Y, 12.5L);
    EXPECT_FALSE(h.tables.GetChanged());
}

TEST(ProjectFile, OpeningWithoutACptPointFileLeavesNoPoints)
{
    TempFolder folder;
    folder.Write("in.kv7d", ReadGolden(Golden("english-three-layers.kv7d")));
    ProjectHost h;
    h.cpt.Add(1, 2);
    auto p = TProgramData::CreateFromFile(h.host, folder.Path("in.kv7d"), pfvCurrent);
    EXPECT_EQ(h.cpt.PointCount(), 0);
    EXPECT_EQ(p->CptPointCount(), 0);
    EXPECT_TRUE(h.messages.empty());
}

// A damaged CPT point file is reported with its name and line; the points
// read stay the project's. A count the file cannot hold gives way to the
// points the file holds, so that the next save writes them with their count
// instead of an empty profile.
TEST(ProjectFile, ADamagedCptPointFileIsReportedAndWhatWasReadIsKept)
{
    struct Case {
        const char* cpt;
        const char* message; // after the file's name
        int points;
    };
    const Case cases[] = {
        {" 1 3\r\n  0.00E+00  5.00E+04\r\n  x  8.00E+04\r\n",
         "Error on Line 3 Item 1\rA floating point number was expected but not found.", 1},
        {" 1 -3\r\n  0.00E+00  5.00E+04\r\n  1.25E+01  8.25005E+04\r\n  8.00E+01  2.50E+05\r\n",
         "Error on Line 1 Item 2\rThe number of CPT points (-3) must be between 0 and 1000; 3 points were read.", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cpt);
        TempFolder folder;
        folder.Write("in.kv7d", ReadGolden(Golden("english-three-layers.kv7d")));
        folder.Write("in.cpt", c.cpt);
        ProjectHost h;
        auto p = TProgramData::CreateFromFile(h.host, folder.Path("in.kv7d"), pfvCurrent);
        ASSERT_EQ(h.messages.size(), 1u);
        EXPECT_EQ(h.messages[0], "The CPT point file \"" + folder.Path("in.cpt") + "\" could not be read completely.\r" +
                                     c.message);
        EXPECT_EQ(p->CptPointCount(), c.points);
        EXPECT_EQ(h.cpt.PointCount(), c.points);
        EXPECT_EQ(h.tables.D.RowCount(), 3); // the project itself was read
        EXPECT_FALSE(h.modified);
        // Untitled, so that no save writes the part read over the file
        // unless the user chooses its name, as here.
        EXPECT_EQ(p->FileName, kNewProjectFileName);
        p->FileName = folder.Path("in.kv7d");
        p->SaveToFile();
        EXPECT_EQ(folder.Read("in.cpt").substr(0, 6), " 1 " + std::to_string(c.points) + "\r\n");
    }
}

// A project or CPT point file that could not be read completely leaves what
// was read as an untitled project; a message about words after the last
// record (everything read) keeps the file's name.
TEST(ProjectFile, AFileNotReadCompletelyLeavesTheProjectUntitled)
{
    const std::string golden = ReadGolden(Golden("english-three-layers.kv7d"));
    const std::string cpt = ReadGolden(Golden("english-three-layers.cpt"));
    struct Case {
        const char* what;
        std::string project; // text of in.kv7d, "<none>" for no file
        std::string points;  // text of in.cpt, "" for no file
        bool tied;           // FileName stays the file's
    };
    const Case cases[] = {
        {"read completely", golden, cpt, true},
        {"words after the last record", golden + "1 2\r\n", cpt, true},
        {"a code outside its set", EnglishWith(3, "7 2 6 0 "), cpt, false},
        {"a file that ends early", golden.substr(0, golden.size() / 2), "", false},
        {"an empty file", "", "", false},
        {"no file", "<none>", "", false},
        {"a damaged CPT point file", golden, " 1 3\r\n  0.00E+00  5.00E+04\r\n  x  8.00E+04\r\n", false},
        {"a CPT count the file cannot hold", golden, " 1 -3\r\n  0.00E+00  5.00E+04\r\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        if (c.project != "<none>")
            folder.Write("in.kv7d", c.project);
        if (!c.points.empty())
            folder.Write("in.cpt", c.points);
        ProjectHost h;
        auto p = TProgramData::CreateFromFile(h.host, folder.Path("in.kv7d"), pfvCurrent);
        EXPECT_EQ(h.messages.size(), c.what == std::string("read completely") ? 0u : 1u);
        EXPECT_EQ(p->FileName, c.tied ? folder.Path("in.kv7d") : std::string(kNewProjectFileName));
        EXPECT_FALSE(h.modified);
    }
}

TEST(ProjectFile, ANewProjectIsSavedWithItsOneDefaultLayer)
{
    TempFolder folder;
    ProjectHost h;
    TProgramData p(h.host);
    p.FileName = folder.Path("NewKORVA.kv7d");
    p.SaveToFile();
    EXPECT_EQ(folder.Read("NewKORVA.kv7d"), "New Pile\r\n\r\n\r\n"
                                            "1 1 2 0 \r\n"
                                            "0 0 0 0 0 0 0\r\n"
                                            "0 0\r\n"
                                            "0 1 1 0 4 1 0\r\n"
                                            "0 0 0 1 0 0 0 0 0 \r\n"
                                            "0 0\r\n"
                                            "0.0 1 0 0 0 0 \r\n"
                                            "0 0 0.0 0 0.0 0.0 0 0 0 1 1 0 \r\n"
                                            "0 1 0 0 0 0 \r\n"
                                            "0 0 0.0 0 0.0 0.0 0 0 0 1 1 0 \r\n"
                                            "0\r\n"
                                            "0 1\r\n"
                                            "0 0\r\n"
                                            "2 0\r\n"
                                            "0 0\r\n"
                                            "0 0\r\n"
                                            "0 0\r\n");
    EXPECT_EQ(folder.Read("NewKORVA.cpt"), " 1 0\r\n");
}

TEST(ProjectFile, OlderLayoutsAreReadAndWrittenInTheCurrentOne)
{
    struct Case {
        const char* input;
        int version;
        const char* golden;
    };
    for (const Case& c : {Case{"older.kvd", pfvOlder, "older-kvd.kv7d"},
                          Case{"previous.kv6d", pfvPrevious, "previous-kv6d.kv7d"},
                          Case{"older.kvd", pfvAnyFile, "older-kvd.kv7d"}}) {
        SCOPED_TRACE(c.input);
        TempFolder folder;
        folder.Write(c.input, ReadGolden(Golden(c.input)));
        EXPECT_TRUE(ReadAndSaveAs(folder.Path(c.input), c.version, folder.Path("out.kv7d")).empty());
        ExpectMatchesGolden(folder.Read("out.kv7d"), Golden(c.golden));
        EXPECT_EQ(folder.Read("out.cpt"), " 1 0\r\n");
    }
}

TEST(ProjectFile, WhatTheOldestLayoutLeavesOut)
{
    TempFolder folder;
    folder.Write("older.kvd", ReadGolden(Golden("older.kvd")));
    ProjectHost h;
    auto p = TProgramData::CreateFromFile(h.host, folder.Path("older.kvd"), pfvOlder);
    EXPECT_EQ(p->ClosedEnded, 0); // R4 of three words
    EXPECT_EQ(p->StickupLength, 0);
    EXPECT_EQ(p->ReducedTzFactors, 0);
    EXPECT_EQ(p->MethodSelected, (std::array<std::int32_t, 11>{0, 1, 1, 1, 1, 0, 1, 1, 1, 1, 0}));
    EXPECT_EQ(p->SectionAreaMode, 1); // R15 of one word, no section rows, a constant area
    for (int layer = 0; layer < 2; ++layer) { // sand and clay keep the default factors
        EXPECT_EQ(h.tables.D.Cell(layer_col::SideFrictionFactor, layer).GetAsFloat(), 1);
        EXPECT_EQ(h.tables.D.Cell(layer_col::EndBearingFactor, layer).GetAsFloat(), 1);
    }
    EXPECT_EQ(h.tables.D.Cell(layer_col::EndBearingFactor, 2).GetAsFloat(), 0.9L); // silt reads them
}

TEST(ProjectFile, LayoutChosenByVersionAndExtension)
{
    struct Case {
        const char* name;
        int version;
        int layout;
    };
    const Case cases[] = {
        {"a.kv7d", pfvCurrent, pfvCurrent},   {"a.kv7d", pfvOlder, pfvOlder},
        {"a.kv7d", pfvAnyFile, pfvCurrent},   {"dir/A.KV7D", pfvAnyFile, pfvCurrent},
        {"a.kv6d", pfvAnyFile, pfvPrevious},  {"a.kvd", pfvAnyFile, pfvOlder},
        {"a.txt", pfvAnyFile, pfvOlder},      {"a.kv7d.bak", pfvAnyFile, pfvOlder},
        {"my.kv7d/pile", pfvAnyFile, pfvOlder}, {"a.kv7d", 0, pfvCurrent},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProjectFileLayout(c.name, c.version), c.layout) << c.name << " " << c.version;

    // A current file opened through "All Files" reads as it was written.
    TempFolder folder;
    folder.Write("in.kv7d", ReadGolden(Golden("si-all-soils.kv7d")));
    EXPECT_TRUE(ReadAndSaveAs(folder.Path("in.kv7d"), pfvAnyFile, folder.Path("out.kv7d")).empty());
    EXPECT_EQ(folder.Read("out.kv7d"), folder.Read("in.kv7d"));
}

TEST(ProjectFile, ATruncatedFileKeepsWhatWasRead)
{
    const std::string full = ReadGolden(Golden("english-three-layers.kv7d"));
    // Up to the first soil point's line B.
    std::size_t cut = 0;
    for (int i = 0; i < 11; ++i)
        cut = full.find("\r\n", cut) + 2;
    const ReadResult r = ReadProjectText(full.substr(0, cut));
    EXPECT_EQ(r.Message(), "This file either invalid or incomplete.");
    const TProgramData& p = *r.data;
    EXPECT_EQ(p.ProjectTitle, "Open-ended pipe pile in sand and clay");
    EXPECT_EQ(p.PrintEvery, 2);
    EXPECT_EQ(p.ElasticModulus, 29000000);
    EXPECT_EQ(p.MethodSelected[pmFhwa], 1);
    EXPECT_EQ(p.TensionReduction, 1); // not reached: the default
    const TProjectTables& t = r.host->tables;
    ASSERT_EQ(t.D.RowCount(), 3);
    TGridTable& sand = t.D.Cell(layer_col::Properties, 0).GetAsTable();
    EXPECT_EQ(sand.Cell(sand_col::BlowCounts, 0).GetAsInteger(), 12);
    EXPECT_EQ(sand.Cell(sand_col::BlowCounts, 1).GetAsInteger(), 0);
    EXPECT_EQ(t.Sectionaldata.RowCount(), 2);
    EXPECT_EQ(t.TblTZDepth.RowCount(), 1);
    EXPECT_EQ(t.tblDataSand.RowCount(), 2);
    EXPECT_FALSE(r.host->modified);

    // An empty file and a missing one end the same way, with every table
    // at its minimum rows.
    const ReadResult empty = ReadProjectText("");
    EXPECT_EQ(empty.Message(), "This file either invalid or incomplete.");
    EXPECT_EQ(empty.host->tables.D.RowCount(), 1);
    ProjectHost h;
    auto missing = TProgramData::CreateFromFile(h.host, "/nonexistent/pile.kv7d", pfvCurrent);
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].rfind("Cannot open file \"/nonexistent/pile.kv7d\".", 0), 0u) << h.messages[0];
    EXPECT_EQ(h.tables.D.RowCount(), 1);
    EXPECT_EQ(h.tables.Sectionaldata.RowCount(), 2);
}

TEST(ProjectFile, WordsAfterTheLastRecordAreReported)
{
    const std::string golden = ReadGolden(Golden("english-three-layers.kv7d"));
    auto message = [](int line) {
        return "The project file holds words after its last record, from line " + std::to_string(line) +
               " on, which were not read.\rA line added or lost in editing moves every value after it: "
               "please check the project's values.";
    };
    // A line added at the end: every value in place.
    const ReadResult added = ReadProjectText(golden + "1 2\r\n\r\n");
    EXPECT_EQ(added.Message(), message(29));
    EXPECT_EQ(added.data->CriticalDepthMode, 0);
    EXPECT_EQ(added.data->TensionReduction, 1);
    EXPECT_EQ(added.host->tables.D.RowCount(), 3);
    EXPECT_FALSE(added.host->modified);

    // The clay and plug line twice: the section count and the critical
    // depth are read from the lines after it, and two lines are left over.
    const ReadResult shifted = ReadProjectText(ReplaceLines(golden, 23, 1, "0 0\r\n0 0"));
    EXPECT_EQ(shifted.Message(), message(27));
    EXPECT_EQ(shifted.data->CriticalDepthMode, 2);

    // Blanks and empty lines after the last record are no words.
    EXPECT_EQ(ReadProjectText(golden + "  \r\n\t\r\n").Message(), "<none>");
}

TEST(ProjectFile, TablesAreGrownBeforeTheMessageIsDoneWith)
{
    TempFolder folder;
    folder.Write("in.kv7d", "");
    ProjectHost h;
    int layersWhenUnmodified = -1;
    h.host.Events.SetModified = [&](bool modified) {
        if (!modified)
            layersWhenUnmodified = h.tables.D.RowCount();
    };
    TProgramData::CreateFromFile(h.host, folder.Path("in.kv7d"), pfvCurrent);
    EXPECT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(layersWhenUnmodified, 1);
}

TEST(ProjectFile, InputErrorsNameTheLineAndItem)
{
    const auto soilPoints = [](int count) {
        return "The number of soil points (" + std::to_string(count) +
               ") must be an even number between 0 and 80 (two points for each soil layer).";
    };
    struct Case {
        int line;
        const char* text;
        std::string message;
    };
    const Case cases[] = {
        {4, "0 0 abc 23 29000000 60 5", "Error on Line 5 Item 3\rA floating point number was expected but not found."},
        {3, "1 2.5 6 0 ", "Error on Line 4 Item 2\rAn integer was expected but not found."},
        {3, "1 2 82 0 ", "Error on Line 4 Item 3\r" + soilPoints(82)},
        {3, "1 2 -4 0 ", "Error on Line 4 Item 3\r" + soilPoints(-4)},
        // Counts that the pairs of points cannot hold, checked as they stand.
        {3, "1 2 -1 0 ", "Error on Line 4 Item 3\r" + soilPoints(-1)},
        {3, "1 2 1 0 ", "Error on Line 4 Item 3\r" + soilPoints(1)},
        {3, "1 2 5 0 ", "Error on Line 4 Item 3\r" + soilPoints(5)},
        {9, "0.0 4 0.8 115 30 20 ", "Error on Line 10 Item 2\rThe soil type (4) must be 1 (sand), 2 (clay) or 3 (silt)."},
        {21, "1\r\n101", "Error on Line 23 Item 1\rThe number of t-z depths (101) must be between 0 and 100."},
        {24, "150 2", "Error on Line 25 Item 1\rThe number of section rows (150) must be between 0 and 100."},
    };
    for (const Case& c : cases) {
        const ReadResult r = ReadProjectText(EnglishWith(c.line, c.text));
        EXPECT_EQ(r.Message(), c.message) << c.text;
        EXPECT_EQ(r.host->tables.Sectionaldata.RowCount(), 2);
        EXPECT_LE(r.host->tables.D.RowCount(), kMaxSoilLayers);
        if (c.line == 3) { // nothing read past the control record
            EXPECT_EQ(r.host->tables.D.RowCount(), 1) << c.text;
            EXPECT_EQ(r.data->OuterDiameter, 0) << c.text;
        }
    }
}

// Every enumerated code and count of the file outside its set is an input
// error at its line and item; the field keeps its default and nothing after
// it is read.
TEST(ProjectFile, CodesOutsideTheirSetsNameTheLineAndItem)
{
    struct Case {
        int line;
        const char* text;
        const char* message;
        std::int32_t TProgramData::*field; // keeps its default, when given
    };
    const Case cases[] = {
        {3, "7 2 6 0 ", "Line 4 Item 1\rThe unit system (7) must be 1 (English) or 2 (SI).", &TProgramData::Units},
        {3, "0 2 6 0 ", "Line 4 Item 1\rThe unit system (0) must be 1 (English) or 2 (SI).", &TProgramData::Units},
        {3, "1 -2 6 0 ", "Line 4 Item 2\rThe number of increments between printed rows (-2) must be between 0 and 500.",
         &TProgramData::PrintEvery},
        {3, "1 501 6 0 ", "Line 4 Item 2\rThe number of increments between printed rows (501) must be between 0 and 500.",
         &TProgramData::PrintEvery},
        {3, "1 2 6 2 ", "Line 4 Item 4\rThe end condition (2) must be 0 (open-ended) or 1 (closed-ended).", nullptr},
        {6, "0 0.5 9 0 4 1 0", "Line 7 Item 3\rThe pile type (9) must be between 1 and 7.", &TProgramData::PileType},
        {6, "0 0.5 0 0 4 1 0", "Line 7 Item 3\rThe pile type (0) must be between 1 and 7.", &TProgramData::PileType},
        {6, "0 0.5 1 0 10 1 0", "Line 7 Item 5\rThe load-transfer method (10) must be between 1 and 9.",
         &TProgramData::LoadTransferMethod},
        {6, "0 0.5 1 0 4 2 0", "Line 7 Item 6\rThe offshore edition (2) must be 0 or 1.", nullptr},
        {6, "0 0.5 1 0 4 1 -1",
         "Line 7 Item 7\rThe factors for t-z and Q-w curves (-1) must be 0 (unfactored) or 1 (reduced).",
         &TProgramData::ReducedTzFactors},
        {7, "1 0 0 1 0 0 2 0 0 ", "Line 8 Item 7\rThe selection of method 7 (2) must be 0 or 1.", nullptr},
        {14, "1200 0 1000 500 2 25 40000 0 0 0.9 1 4 ",
         "Line 15 Item 12\rThe adhesion method (4) must be 0 (estimated) or 1 to 3 (design chart A to C).", nullptr},
        {21, "2", "Line 22 Item 1\rThe option of printing t-z curves (2) must be 0 or 1.", &TProgramData::ExtraTZDepths},
        {22, "2147483647 1", "Line 23 Item 1\rThe load direction (2147483647) must be 0 (compression) or 1 (uplift).",
         &TProgramData::LoadDirection},
        {22, "-1 1", "Line 23 Item 1\rThe load direction (-1) must be 0 (compression) or 1 (uplift).",
         &TProgramData::LoadDirection},
        {23, "2 0", "Line 24 Item 1\rThe clay condition (2) must be 0 (undrained) or 1 (drained).",
         &TProgramData::DrainedClay},
        {23, "0 3", "Line 24 Item 2\rThe plug condition (3) must be 0 (computed), 1 (plugged) or 2 (unplugged).",
         &TProgramData::PlugCondition},
        {24, "2 3",
         "Line 25 Item 2\rThe section area mode (3) must be 0 (from the section), 1 (constant area) or 2 (by the "
         "depth table).",
         &TProgramData::SectionAreaMode},
        {27, "3 0", "Line 28 Item 1\rThe critical depth method for sand (3) must be 0, 1 or 2.",
         &TProgramData::CriticalDepthMode},
    };
    for (const Case& c : cases) {
        const ReadResult r = ReadProjectText(EnglishWith(c.line, c.text));
        EXPECT_EQ(r.Message(), std::string("Error on ") + c.message) << c.text;
        if (c.field) {
            ProjectHost fresh;
            const TProgramData defaults(fresh.host);
            EXPECT_EQ(r.data.get()->*c.field, defaults.*c.field) << c.text;
        }
        if (c.line < 27) { // not read: the default
            EXPECT_EQ(r.data->CriticalDepthMode, 0) << c.text;
        }
        EXPECT_EQ(r.host->tables.Sectionaldata.RowCount(), 2) << c.text;
    }
}

// The ends of each set are read, 0 for the print interval (saved as 1).
TEST(ProjectFile, TheEndsOfTheSetsAreRead)
{
    std::string text = ReadGolden(Golden("english-three-layers.kv7d"));
    text = ReplaceLines(text, 3, 1, "2 0 6 1 ");
    text = ReplaceLines(text, 6, 1, "0 0.5 7 0 9 0 1");
    text = ReplaceLines(text, 14, 1, "1200 0 1000 500 2 25 40000 0 0 0.9 1 3 ");
    text = ReplaceLines(text, 21, 7, "1\r\n1\r\n30 \r\n1 0.75\r\n1 2\r\n2 2\r\n0 30\r\n40 35\r\n2 12.5");
    const ReadResult r = ReadProjectText(text);
    ASSERT_EQ(r.Message(), "<none>");
    const TProgramData& p = *r.data;
    EXPECT_EQ(p.Units, 2);
    EXPECT_EQ(p.PrintEvery, 0);
    EXPECT_EQ(p.ClosedEnded, 1);
    EXPECT_EQ(p.PileType, ptTaperedMonotube);
    EXPECT_EQ(p.LoadTransferMethod, pmUwa);
    EXPECT_EQ(p.ReducedTzFactors, 1);
    EXPECT_EQ(r.host->tables.D.Cell(layer_col::Properties, 1).GetAsTable().Cell(clay_col::AdhesionMethod, 0).GetAsInteger(),
              3);
    EXPECT_EQ(p.ExtraTZDepths, 1);
    EXPECT_EQ(p.LoadDirection, 1);
    EXPECT_EQ(p.DrainedClay, 1);
    EXPECT_EQ(p.PlugCondition, 2);
    EXPECT_EQ(p.SectionAreaMode, 2);
    EXPECT_EQ(p.CriticalDepthMode, 2);
}

TEST(ProjectFile, OptionalWordsOfTheControlAndSectionRecords)
{
    EXPECT_EQ(ReadProjectText(EnglishWith(3, "1 2 6 1 ")).data->ClosedEnded, 1);
    EXPECT_EQ(ReadProjectText(EnglishWith(3, "1 2 6")).data->ClosedEnded, 0);

    struct Case {
        const char* sectionArea; // second word of R9
        const char* sections;    // R15 and R15a
        int mode;
    };
    const Case cases[] = {
        {"0", "0", 0},
        {"37.5", "0", 1},
        {"37.5", "2\r\n0 30\r\n40 35", 2},
        {"0", "2 1\r\n0 30\r\n40 35", 1},
    };
    for (const Case& c : cases) {
        const std::string sections = ReplaceLines(ReadGolden(Golden("english-three-layers.kv7d")), 24, 3, c.sections);
        const ReadResult r = ReadProjectText(ReplaceLines(sections, 8, 1, std::string("80 ") + c.sectionArea));
        EXPECT_EQ(r.Message(), "<none>") << c.sections;
        EXPECT_EQ(r.data->SectionAreaMode, c.mode) << c.sections;
    }
}

TEST(ProjectFile, UserUnitValuesAreZeroedOnlyWhenNoMethodUsesThem)
{
    struct Case {
        int loadTransferMethod;
        int userSpecifiedSelected;
        bool kept;
    };
    for (const Case c : {Case{pmApi, 0, false}, Case{pmApi, 1, true}, Case{pmUserSpecified, 0, true}}) {
        TempFolder folder;
        ProjectHost h;
        TProgramData p(h.host);
        MakeEnglishThreeLayers(p, h);
        p.LoadTransferMethod = c.loadTransferMethod;
        p.MethodSelected[pmUserSpecified] = c.userSpecifiedSelected;
        p.FileName = folder.Path("pile.kv7d");
        p.SaveToFile();
        TGridTable& sand = h.tables.D.Cell(layer_col::Properties, 0).GetAsTable();
        const Extended expected = c.kept ? 300 : 0;
        EXPECT_EQ(sand.Cell(sand_col::UserUnitSkinFriction, 1).GetAsFloat(), expected);
        const std::string lineB = folder.Read("pile.kv7d").substr(folder.Read("pile.kv7d").find("0 0 0.0 15 "));
        EXPECT_EQ(lineB.substr(0, lineB.find("\r\n")), c.kept ? "0 0 0.0 15 0.0 0.0 80000 300 5000 1 1 0 "
                                                             : "0 0 0.0 15 0.0 0.0 80000 0 0 1 1 0 ");
    }
}

TEST(ProjectFile, ValuesStoredBeforeWriting)
{
    TempFolder folder;
    ProjectHost h;
    TProgramData p(h.host);
    MakeEnglishThreeLayers(p, h);
    p.PrintEvery = 0;
    p.IncrementLength = 0;
    p.TipArea = 12.5L; // left from a noncircular section
    p.FileName = folder.Path("pile.kv7d");
    p.SaveToFile();
    EXPECT_EQ(p.PrintEvery, 1);
    EXPECT_EQ(p.IncrementLength, 1);
    EXPECT_EQ(p.TipArea, 0);
    const std::string text = folder.Read("pile.kv7d");
    EXPECT_NE(text.find("\r\n1 1 6 0 \r\n0 0 24 23 29000000 60 5\r\n0 0\r\n0 1 1 0 4 1 0\r\n"), std::string::npos);

    // A noncircular section keeps its perimeter and tip area.
    p.CircularSection = 0;
    p.Perimeter = 75.4L;
    p.TipArea = 12.5L;
    p.SaveToFile();
    EXPECT_NE(folder.Read("pile.kv7d").find("\r\n75.4 12.5 24 23 29000000 60 5\r\n"), std::string::npos);
    EXPECT_EQ(ReadProjectText(folder.Read("pile.kv7d")).data->CircularSection, 0);
}

TEST(ProjectFile, TitlesStayOnTheirOwnLines)
{
    TempFolder folder;
    ProjectHost h;
    TProgramData p(h.host);
    MakeEnglishThreeLayers(p, h);
    p.ProjectTitle = "Pier 7\r\nnorth abutment";
    p.DesignerName = "A.\tEngineer";
    p.JobNumber = "J\x7f" "1";
    p.FileName = folder.Path("pile.kv7d");
    p.SaveToFile();
    const std::string text = folder.Read("pile.kv7d");
    EXPECT_EQ(text.substr(0, text.find("\r\n1 2 6 0 ")), "Pier 7  north abutment\r\nA. Engineer\r\nJ 1");
    const ReadResult r = ReadProjectText(text);
    EXPECT_EQ(r.data->ProjectTitle, "Pier 7  north abutment");
    EXPECT_EQ(r.data->JobNumber, "J 1");
    EXPECT_EQ(r.Message(), "<none>");
}

TEST(ProjectFile, AProjectWithoutSoilLayersIsRefused)
{
    TempFolder folder;
    ProjectHost h;
    TProgramData p(h.host);
    h.tables.D.SetRowCount(0);
    p.FileName = folder.Path("pile.kv7d");
    h.modified = true;
    EXPECT_EQ(MessageOf<EProjectDataError>([&] { p.SaveToFile(); }),
              "The project has no soil layer and cannot be saved.\rPlease add a layer (Soil Layers Window).");
    EXPECT_EQ(folder.Listing(), "");
    EXPECT_TRUE(h.modified);
}

TEST(ProjectFile, AProjectNamedLikeItsCptPointFileIsRefused)
{
    TempFolder folder;
    folder.Write("pile.cpt", "old\r\n");
    ProjectHost h;
    TProgramData p(h.host);
    MakeEnglishThreeLayers(p, h);
    p.FileName = folder.Path("pile.cpt");
    h.modified = true;
    EXPECT_EQ(MessageOf<EInOutError>([&] { p.SaveToFile(); }),
              "The project cannot be saved as \"" + folder.Path("pile.cpt") +
                  "\": its CPT points are saved beside it under that name.\r"
                  "Please choose a name with another extension (.kv7d).");
    EXPECT_EQ(folder.Listing(), "pile.cpt ");
    EXPECT_EQ(folder.Read("pile.cpt"), "old\r\n");
    EXPECT_EQ(p.CptPointFileName, "");
    EXPECT_TRUE(h.modified);
}

// The English sample saved as pile.kv7d (and pile.cpt) in a folder of its
// own, then changed, so that a save that fails shows whether it replaced a file.
struct SavedSample {
    SavedSample()
    {
        MakeEnglishThreeLayers(p, h);
        p.FileName = folder.Path("pile.kv7d");
        p.SaveToFile();
        project = folder.Read("pile.kv7d");
        points = folder.Read("pile.cpt");
        p.PileLength = 65;
        h.modified = true;
    }
    TempFolder folder;
    ProjectHost h;
    TProgramData p{h.host};
    std::string project; // the files as first saved
    std::string points;
};

// Both files are written whole before either replaces its old one: a
// failure of either leaves the pair as it was, without temporary files.
TEST(ProjectFile, AFailedSaveKeepsTheOldPair)
{
    struct Case {
        const char* what;
        int cptPoints;
        rlim_t limit;
        const char* failing;
    };
    const Case cases[] = {
        {"the project file too large", 0, 16, "pile.kv7d"}, // the CPT point file fits
        {"the CPT point file too large", 400, 2000, "pile.cpt"}, // the project file fits
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SavedSample s;
        s.h.cpt.Clear();
        for (int i = 0; i < c.cptPoints; ++i)
            s.h.cpt.Add(100 + i, i / 10.0L);
        {
            ScopedFileSizeLimit limit(c.limit);
            EXPECT_EQ(MessageOf<EInOutError>([&] { s.p.SaveToFile(); }),
                      "Cannot write file \"" + s.folder.Path(c.failing) + "\". File too large");
        }
        EXPECT_EQ(s.folder.Read("pile.kv7d"), s.project);
        EXPECT_EQ(s.folder.Read("pile.cpt"), s.points);
        EXPECT_TRUE(s.h.modified);
        EXPECT_EQ(s.folder.Listing(), "pile.cpt pile.kv7d "); // no temporary file left
    }
}

// A project file or CPT point file the user may not write (a writable folder,
// the file itself write-protected) fails the save as a failed write does.
TEST(ProjectFile, AWriteProtectedFileOfThePairFailsTheSave)
{
    for (const std::string protectedFile : {"pile.kv7d", "pile.cpt"}) {
        SCOPED_TRACE(protectedFile);
        SavedSample s;
        ::chmod(s.folder.Path(protectedFile).c_str(), 0444);
        EXPECT_EQ(MessageOf<EInOutError>([&] { s.p.SaveToFile(); }),
                  "Cannot write file \"" + s.folder.Path(protectedFile) + "\". " + std::strerror(EACCES));
        EXPECT_EQ(s.folder.Read(protectedFile), protectedFile == "pile.kv7d" ? s.project : s.points);
        EXPECT_EQ(std::filesystem::status(s.folder.Path(protectedFile)).permissions(), std::filesystem::perms(0444));
        EXPECT_TRUE(s.h.modified);
        EXPECT_EQ(s.folder.Listing(), "pile.cpt pile.kv7d ");
    }
}

TEST(ProjectFile, ACptFileThatCannotBeWrittenLeavesTheProjectFileUnwritten)
{
    TempFolder folder;
    ProjectHost h;
    TProgramData p(h.host);
    MakeEnglishThreeLayers(p, h);
    p.FileName = folder.Path("pile.kv7d");
    std::filesystem::create_directory(folder.Path("pile.cpt")); // cannot be replaced by a file
    h.modified = true;
    EXPECT_EQ(MessageOf<EInOutError>([&] { p.SaveToFile(); }),
              "Cannot write file \"" + folder.Path("pile.cpt") + "\". Is a directory");
    EXPECT_EQ(folder.Listing(), "pile.cpt ");
    EXPECT_TRUE(h.modified);
}

TEST(ProjectFile, UnitSwitchThereAndBackSavesTheSameFile)
{
    TempFolder folder;
    ProjectHost h;
    TProgramData p(h.host);
    MakeEnglishThreeLayers(p, h);
    p.SetUnits(2);
    EXPECT_NEAR(static_cast<double>(h.tables.D.Cell(layer_col::LayerBottom, 2).GetAsFloat()), 24.384, 1e-9);
    p.SetUnits(1);
    p.FileName = folder.Path("pile.kv7d");
    p.SaveToFile();
    EXPECT_EQ(folder.Read("pile.kv7d"), ReadGolden(Golden("english-three-layers.kv7d")));
    EXPECT_EQ(folder.Read("pile.cpt"), ReadGolden(Golden("english-three-layers.cpt")));
}

TEST(ProjectFile, NewProjectResetsTheTables)
{
    ProjectHost h;
    {
        TProgramData old(h.host);
        MakeSiAllSoils(old, h);
    }
    TProgramData p(h.host);
    EXPECT_EQ(h.tables.D.RowCount(), 1);
    EXPECT_EQ(h.tables.D.Units(), 1);
    EXPECT_EQ(h.tables.TblTZDepth.RowCount(), 1);
    EXPECT_EQ(h.tables.Sectionaldata.RowCount(), 2);
    EXPECT_EQ(h.tables.Sectionaldata.Cell(section_col::CrossSectionArea, 0).GetAsFloat(), 0);
    EXPECT_FALSE(h.modified);
    EXPECT_FALSE(h.tables.GetChanged());
}

} // namespace
} // namespace korva::test
