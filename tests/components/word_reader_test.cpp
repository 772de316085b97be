#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <unistd.h>

#include "exceptions.h"
#include "message_of.h"
#include "number_format.h"
#include "test_support.h"
#include "word_reader.h"

using namespace korva::components;

namespace {

const std::string kIncomplete = "This file either invalid or incomplete.";

template <class Fn>
std::string InOutMessage(Fn fn)
{
    return korva::test::MessageOf<EInOutError>(fn);
}

TEST(WordReader, SplitsOnRunsOfBlanksAndTabsAndKeepsTheRawLine)
{
    auto reader = TWordReader::FromText("  1.5\t\t2   3 \r\nnext");
    EXPECT_EQ(reader.WordCount(), 3);
    EXPECT_EQ(reader.ReadFloat(), 1.5L);
    EXPECT_EQ(reader.NextWord(), "2");
    EXPECT_EQ(reader.ReadLine(), "  1.5\t\t2   3 ");
    EXPECT_EQ(reader.NextWord(), "next");
}

TEST(WordReader, LineEnds)
{
    EXPECT_EQ(TWordReader::FromText("a\nb").LineCount(), 2);   // last line without a line break
    EXPECT_EQ(TWordReader::FromText("a\nb\n").LineCount(), 2); // a final line break adds no line
    EXPECT_EQ(TWordReader::FromText("a\r\nb\r\n").LineCount(), 2);
    EXPECT_EQ(TWordReader::FromText("").LineCount(), 1); // an empty file is one line without words

    auto lf = TWordReader::FromText("Title line\n1 2\n");
    auto crlf = TWordReader::FromText("Title line\r\n1 2\r\n");
    for (TWordReader* reader : {&lf, &crlf}) {
        EXPECT_EQ(reader->ReadLine(), "Title line");
        EXPECT_EQ(reader->ReadInteger(), 1);
        EXPECT_EQ(reader->ReadInteger(), 2);
        EXPECT_EQ(reader->ReadLine(), "1 2");
        EXPECT_TRUE(reader->Eof());
    }
}

TEST(WordReader, ALoneCarriageReturnEndsALine)
{
    EXPECT_EQ(TWordReader::FromText("a\rb\r").LineCount(), 2);
    EXPECT_EQ(TWordReader::FromText("\r\r").LineCount(), 2);
    EXPECT_EQ(TWordReader::FromText("\n\r").LineCount(), 2); // LF CR is two line ends
    auto reader = TWordReader::FromText("Title\r1\x01 2\r\r\n3\n\r4");
    EXPECT_EQ(reader.LineCount(), 6);
    EXPECT_EQ(reader.ReadLine(), "Title");
    EXPECT_EQ(reader.WordCount(), 2);
    EXPECT_EQ(reader.NextWord(), "1\x01"); // other control characters stay in the word
    EXPECT_EQ(reader.ReadInteger(), 2);
    EXPECT_EQ(reader.ReadInteger(), 3); // past the empty line of the CR CR LF
    EXPECT_EQ(reader.CurrentLine(), 3);
    EXPECT_EQ(reader.ReadInteger(), 4);
    EXPECT_EQ(reader.CurrentLine(), 5);
    EXPECT_EQ(reader.ReadLine(), "4");
    EXPECT_TRUE(reader.Eof());
}

TEST(WordReader, LettersWhereARealIsExpected)
{
    auto reader = TWordReader::FromText("title\n1 2\n3\n4.5 abc 6\n");
    reader.ReadLine();
    for (int i = 0; i < 4; ++i)
        reader.ReadFloat();
    EXPECT_EQ(InOutMessage([&] { reader.ReadFloat(); }),
              "Error on Line 4 Item 2\rA floating point number was expected but not found.");
    EXPECT_EQ(reader.ReadFloat(), 6.0L); // the failed word is consumed
}

// Doubles are read straight to the nearest double, with the messages of
// ReadFloat; an error may name a position the reader has left.
TEST(WordReader, DoublesAndErrorsAtAnEarlierPlace)
{
    ScopedDecimalSeparator comma(',');
    auto reader = TWordReader::FromText("1.00000000000000011102230246251565404236316680908203126 x\n");
    EXPECT_EQ(reader.ReadDouble(), 1.0 + std::numeric_limits<double>::epsilon());
    EXPECT_EQ(InOutMessage([&] { reader.ReadDouble(); }),
              "Error on Line 1 Item 2\rA floating point number was expected but not found.");
    EXPECT_EQ(InOutMessage([] { TWordReader::InputErrorAt(0, 2, "The count is too large."); }),
              "Error on Line 1 Item 2\rThe count is too large.");
    EXPECT_EQ(InOutMessage([] { TWordReader::InputErrorAt(56, 0, "The line is too long."); }),
              "Error on Line 57\rThe line is too long.");
}

TEST(WordReader, RejectsANumberFollowedByGarbage)
{
    auto reader = TWordReader::FromText("0.1000+121");
    EXPECT_EQ(InOutMessage([&] { reader.ReadFloat(); }),
              "Error on Line 1 Item 1\rA floating point number was expected but not found.");
}

TEST(WordReader, Integers)
{
    auto reader = TWordReader::FromText("7 7.0 7E0 -7.0 -2147483648 2147483647\n2.5 2147483648 x\n");
    for (int expected : {7, 7, 7, -7, -2147483647 - 1, 2147483647})
        EXPECT_EQ(reader.ReadInteger(), expected);
    const std::string integerExpected = "\rAn integer was expected but not found.";
    EXPECT_EQ(InOutMessage([&] { reader.ReadInteger(); }), "Error on Line 2 Item 1" + integerExpected);
    EXPECT_EQ(InOutMessage([&] { reader.ReadInteger(); }), "Error on Line 2 Item 2" + integerExpected);
    EXPECT_EQ(InOutMessage([&] { reader.ReadInteger(); }), "Error on Line 2 Item 3" + integerExpected);
}

TEST(WordReader, WordCountStaysOnTheLineUntilTheNextWord)
{
    auto reader = TWordReader::FromText("1 2 3\n4 5\n");
    for (int i = 0; i < 3; ++i)
        reader.ReadInteger();
    EXPECT_EQ(reader.WordCount(), 3);
    EXPECT_EQ(reader.ReadInteger(), 4);
    EXPECT_EQ(reader.WordCount(), 2);
}

TEST(WordReader, BlankLinesAreSkippedAndTheEndIsAnInputError)
{
    auto reader = TWordReader::FromText("1\n\n \t \n2\n\n");
    EXPECT_EQ(reader.ReadInteger(), 1);
    EXPECT_TRUE(reader.SeekWord()); // moves to the word, reads nothing
    EXPECT_EQ(reader.CurrentLine(), 3);
    EXPECT_EQ(reader.ReadInteger(), 2);
    EXPECT_FALSE(reader.SeekWord());
    EXPECT_EQ(InOutMessage([&] { reader.NextWord(); }), kIncomplete);
    EXPECT_EQ(InOutMessage([&] { reader.ReadFloat(); }), kIncomplete);
    EXPECT_TRUE(reader.Eof());
    EXPECT_EQ(reader.WordCount(), 0);
    EXPECT_EQ(InOutMessage([&] { reader.ReadLine(); }), kIncomplete);

    auto empty = TWordReader::FromText("");
    EXPECT_FALSE(empty.Eof());
    EXPECT_EQ(InOutMessage([&] { empty.ReadInteger(); }), kIncomplete);
}

TEST(WordReader, RealsUseTheDotWhateverSeparatorIsInForce)
{
    ScopedDecimalSeparator comma(',');
    auto reader = TWordReader::FromText("1.5E+03 2,5 7,0 x");
    EXPECT_EQ(reader.ReadFloat(), 1500.0L);
    EXPECT_EQ(DecimalSeparator(), ',');
    EXPECT_THROW(reader.ReadFloat(), EInOutError); // 2,5 is not a number of the file
    EXPECT_EQ(DecimalSeparator(), ','); // restored after the failed read
    EXPECT_EQ(reader.ReadInteger(), 7); // integers follow the separator in force
    EXPECT_THROW(reader.ReadFloat(), EInOutError);
    EXPECT_THROW(reader.ReadFloat(), EInOutError); // past the end
    EXPECT_EQ(DecimalSeparator(), ',');
}

TEST(WordReader, UnderCommaLocale)
{
    korva::test::ScopedCommaLocale comma;
    ASSERT_TRUE(comma.Active());
    auto reader = TWordReader::FromText("12.5 -1.5E25 0.000001\n");
    EXPECT_EQ(reader.ReadFloat(), 12.5L);
    EXPECT_EQ(reader.ReadFloat(), -1.5e25L);
    EXPECT_EQ(reader.ReadFloat(), 0.000001L);
}

// A file in the temporary folder, removed when the object goes.
class TempFile {
public:
    explicit TempFile(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                ("korva_word_reader_" + std::to_string(::getpid()) + "_" + name))
    {
    }
    ~TempFile() { std::filesystem::remove(path_); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    void Write(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }
    std::string Path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

// The processor time of this thread: what the reader itself spends, not
// what the other suites running beside it take from the machine.
double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double SecondsSince(double start)
{
    return ThreadSeconds() - start;
}

// Large files are read in time proportional to their size: a 16 MiB file of
// one line, one of short lines ended by CR alone (old Mac text), each read
// to its last word; a file beyond the size limit is refused by its size,
// before it is read.
TEST(WordReader, LargeFilesAreReadInLinearTime)
{
    constexpr std::size_t kSize = 16u << 20;
    // Each made of pieces of two words.
    const auto repeated = [](const std::string& piece) {
        std::string text;
        text.reserve(kSize + piece.size());
        while (text.size() < kSize)
            text += piece;
        return text;
    };
    const std::string oneLine = repeated("12.5 7 "); // no tab: the words end at blanks
    const std::string shortLines = repeated("1.5 2\r");

    struct Case {
        const char* name;
        const std::string& text;
        int lines;
        std::size_t words;
    };
    for (const Case& c : {Case{"one line", oneLine, 1, oneLine.size() / 7 * 2},
                          Case{"short lines", shortLines, static_cast<int>(shortLines.size() / 6),
                               shortLines.size() / 6 * 2}}) {
        SCOPED_TRACE(c.name);
        TempFile file("large.txt");
        file.Write(c.text);
        const double start = ThreadSeconds();
        TWordReader reader(file.Path());
        EXPECT_EQ(reader.LineCount(), c.lines);
        EXPECT_GE(reader.WordCount(), 2);
        std::size_t words = 0;
        try {
            for (;; ++words)
                reader.NextWord();
        } catch (const EInOutError&) {
        }
        // Read whole in about a tenth of a second; a reader that went over
        // the text again for each line or word would take hours here, so the
        // bound tells linear from worse without being a speed target that a
        // loaded machine could miss.
        EXPECT_LT(SecondsSince(start), 10.0);
        EXPECT_EQ(words, c.words);
        EXPECT_TRUE(reader.Eof());
    }

    TempFile tooLarge("too_large.txt");
    tooLarge.Write("");
    std::filesystem::resize_file(tooLarge.Path(), TWordReader::kMaxFileSize + 1);
    const double start = ThreadSeconds();
    EXPECT_EQ(InOutMessage([&] { TWordReader reader(tooLarge.Path()); }),
              "File \"" + tooLarge.Path() + "\" is too large to be read.");
    EXPECT_LT(SecondsSince(start), 1.0);

    // A device without a size is bounded as it is read: no endless read.
    EXPECT_EQ(InOutMessage([&] { TWordReader reader("/dev/zero"); }),
              "File \"/dev/zero\" is too large to be read.");
}

TEST(WordReader, ReadsFiles)
{
    const auto path = std::filesystem::temp_directory_path() /
                      ("korva_word_reader_" + std::to_string(::getpid()) + ".txt");
    {
        std::ofstream out(path, std::ios::binary);
        out << "Project\r\n2 1 4\r\n";
    }
    TWordReader reader(path.string());
    std::filesystem::remove(path);
    EXPECT_EQ(reader.ReadLine(), "Project");
    EXPECT_EQ(reader.ReadInteger(), 2);
    EXPECT_EQ(reader.WordCount(), 3);

    EXPECT_THROW(TWordReader(path.string()), EInOutError); // now missing
}

} // namespace
