#include "text/field_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <future>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/piece_source.h"
#include "tests/test_files.h"
#include "tests/test_rows.h"
#include "text/delimiter_search.h"
#include "text/read_ahead_source.h"

namespace vandrel {
namespace {

std::vector<std::string> readAll(std::string_view input, std::size_t keep = 1000) {
    MemorySource source(input);
    FieldReader reader(source, keep);
    std::vector<std::string> items;
    Field field;
    while (reader.next(field)) {
        if (field.length <= keep) {
            EXPECT_EQ(field.length, field.text.size()) << "short items are kept whole";
        }
        items.emplace_back(field.text);
    }
    return items;
}

struct ReaderCase {
    const char* name;
    std::string input;
    std::vector<std::string> items;
};

class FieldReaderItems : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(FieldReaderItems, DeliversTheItemsOfTheText) {
    EXPECT_EQ(readAll(GetParam().input), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FieldReaderItems,
    ::testing::Values(
        ReaderCase{"EmptyInputHasNoItem", "", {}},
        ReaderCase{"LineWithoutCommaComesBackWhole", "  $$SOE\n", {"$$SOE"}},
        ReaderCase{"CommaSeparatesItems", "a,b,c\n", {"a", "b", "c"}},
        ReaderCase{"CrLfEndsALine", "a\r\nb\r\n", {"a", "b"}},
        ReaderCase{"LoneLfEndsALine", "a\nb\n", {"a", "b"}},
        ReaderCase{"LoneCrEndsALine", "a\rb\r", {"a", "b"}},
        ReaderCase{"StrayCrBeforeCrLfIsAnEmptyLine", " \r\r\nx\n", {"", "", "x"}},
        ReaderCase{"EmptyLineIsOneEmptyItem", "a\n\nb\n", {"a", "", "b"}},
        ReaderCase{"LastLineWithoutLineEnd", "a\nb", {"a", "b"}},
        ReaderCase{"LeadingBlanksAndTabsAreSkipped", " \t x y\n", {"x y"}},
        ReaderCase{"TrailingBlanksAndTabsAreDropped", "x y \t \nz  ,w\n", {"x y", "z", "w"}},
        ReaderCase{"QuotesAreDropped",
                   "\"1900-Jan-01\",\"1901-Jan-01\"\r\n",
                   {"1900-Jan-01", "1901-Jan-01"}},
        ReaderCase{"QuotedItemKeepsCommasAndBlanks", "\" a, b \"\n", {" a, b "}},
        ReaderCase{"QuotedItemRunsAcrossLineEnds", "\"a\r\nb\",c\n", {"a\r\nb", "c"}},
        ReaderCase{
            "RestAfterClosingQuoteIsPassed", "\"a\" junk ,b\n\"c\"x\r\nd\n", {"a", "b", "c", "d"}},
        ReaderCase{"QuotedItemOnEachLine", "\"a\"\r\n\"b\"\r\n", {"a", "b"}},
        ReaderCase{"EmptyQuotedItems", "\"\",\"\"\r\n", {"", ""}},
        ReaderCase{"UnclosedQuoteRunsToTheEnd", "\"abc\ndef", {"abc\ndef"}},
        ReaderCase{"QuoteInsideAnUnquotedItemIsKept", "a\"b,c\n", {"a\"b", "c"}},
        ReaderCase{"BytesAreKept",
                   std::string("\xE9t\xE9\0x,\xFF\n", 7),
                   {std::string("\xE9t\xE9\0x", 5), "\xFF"}},
        ReaderCase{"TrailingCommaBeforeLineEnd", "a,\n", {"a", ""}},
        ReaderCase{"BlanksAtTheVeryEndAreOneEmptyItem", "a\n   ", {"a", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

// Items that open a line, marked with "^".
std::vector<std::string> readMarkingLineStarts(std::string_view input) {
    MemorySource source(input);
    FieldReader reader(source, 1000);
    std::vector<std::string> items;
    Field field;
    while (reader.next(field)) {
        items.push_back((field.startsLine ? "^" : "") + std::string(field.text));
    }
    return items;
}

class FieldReaderLineStarts : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(FieldReaderLineStarts, TellWhichItemsOpenALine) {
    EXPECT_EQ(readMarkingLineStarts(GetParam().input), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FieldReaderLineStarts,
    ::testing::Values(
        ReaderCase{"FirstItemOfTheInput", "a", {"^a"}},
        ReaderCase{"ItemsAfterCommasDoNot", "a, b,c\nd\n", {"^a", "b", "c", "^d"}},
        ReaderCase{"EveryKindOfLineEnd", "a,b\rc,d\r\ne\nf", {"^a", "b", "^c", "d", "^e", "^f"}},
        ReaderCase{"EmptyItemAfterATrailingComma", "a,\nb\n", {"^a", "", "^b"}},
        ReaderCase{"EmptyLines", "\n\na\n", {"^", "^", "^a"}},
        ReaderCase{
            "AfterAQuotedItemEndingItsLine", "\"a,b\" x\nc,\"d\",e\n", {"^a,b", "^c", "d", "e"}},
        ReaderCase{"QuotedItemRunningAcrossALineEnd", "x,\"a\nb\"\ny\n", {"^x", "a\nb", "^y"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FieldReader, KeepsOnlyTheStartOfALongItemButCountsItAll) {
    const std::string line = std::string(300, 'x') + "   \n";
    const std::string text = line + "tail\n";
    MemorySource source(text);
    FieldReader reader(source, 77);
    Field field;
    ASSERT_TRUE(reader.next(field));
    EXPECT_EQ(field.text, std::string(77, 'x'));
    EXPECT_EQ(field.length, 300u);
    ASSERT_TRUE(reader.next(field));
    EXPECT_EQ(field.text, "tail");
}

struct LongItemCase {
    const char* name;
    std::size_t size;
    bool quoted;
};

class FieldReaderAcrossBlocks : public ::testing::TestWithParam<LongItemCase> {};

// Items longer than the reader's block, and items that straddle two blocks,
// come back with their true length, and reading goes on after them.
TEST_P(FieldReaderAcrossBlocks, CountsTheWholeItemAndCarriesOn) {
    const auto [name, size, quoted] = GetParam();
    std::string item(size, 'a');
    item[0] = 'b';
    std::string text = quoted ? "\"" + item + "\"" : item + "\t \t";
    text += "\r\nnext\r\n";
    MemorySource copied(text);
    // Lent in blocks of up to a megabyte, as a source that reads ahead lends them.
    testing::LendingPieceSource lent(text, 3, 1 << 20);
    for (ByteSource* source :
         {static_cast<ByteSource*>(&copied), static_cast<ByteSource*>(&lent)}) {
        FieldReader reader(*source, 50);
        Field field;
        ASSERT_TRUE(reader.next(field));
        EXPECT_EQ(field.length, size);
        EXPECT_EQ(field.text, item.substr(0, 50));
        ASSERT_TRUE(reader.next(field));
        EXPECT_EQ(field.text, "next");
        EXPECT_FALSE(reader.next(field));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FieldReaderAcrossBlocks,
    ::testing::Values(LongItemCase{"ExactlyOneBlock", FieldReader::kBlockSize, false},
                      LongItemCase{"SeveralBlocks", 3 * FieldReader::kBlockSize + 17, false},
                      LongItemCase{"QuotedSeveralBlocks", 2 * FieldReader::kBlockSize + 5, true},
                      LongItemCase{"JustUnderOneBlock", FieldReader::kBlockSize - 3, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FieldReader, BlanksOnlyInALongItemGiveAnEmptyItem) {
    const std::string text = std::string(FieldReader::kBlockSize * 2, ' ') + "x\n" +
                             std::string(FieldReader::kBlockSize + 9, ' ') + ",y\n";
    MemorySource source(text);
    FieldReader reader(source, 10);
    Field field;
    ASSERT_TRUE(reader.next(field));
    EXPECT_EQ(field.text, "x");
    ASSERT_TRUE(reader.next(field));
    EXPECT_EQ(field.length, 0u);
    ASSERT_TRUE(reader.next(field));
    EXPECT_EQ(field.text, "y");
}

TEST(FieldReader, CrLfSplitBetweenTwoBlocksIsOneLineEnd) {
    for (std::size_t shift = 0; shift < 3; ++shift) {
        std::string text(FieldReader::kBlockSize - 1 - shift, 'z');
        text += "\r\nnext\n";
        EXPECT_EQ(readAll(text, 10), (std::vector<std::string>{std::string(10, 'z'), "next"}))
            << "shift " << shift;
    }
}

// However the input arrives, the reader gives the same items: what it knows
// of the bytes it holds is renewed whenever they move or grow.
TEST(FieldReader, ItemsDoNotDependOnHowTheInputArrives) {
    std::mt19937 random(11);
    const std::string alphabet = "ab ,\n\r\"\t9";
    std::string text(3 * FieldReader::kBlockSize + 1234, 'a');
    for (char& c : text) {
        c = random() % 6 == 0 ? alphabet[random() % alphabet.size()] : 'a';
    }
    const std::vector<std::string> whole = readAll(text, 128);
    for (const std::size_t mostPiece : {100, 5000, 70000, 1000000}) {
        testing::PieceSource copied(text, 7, mostPiece);
        testing::LendingPieceSource lent(text, 7, mostPiece);
        for (ByteSource* source :
             {static_cast<ByteSource*>(&copied), static_cast<ByteSource*>(&lent)}) {
            FieldReader reader(*source, 128);
            std::vector<std::string> items;
            Field field;
            while (reader.next(field)) {
                items.emplace_back(field.text);
                ASSERT_LE(lent.held(), 1u);
            }
            ASSERT_EQ(items, whole)
                << "pieces of up to " << mostPiece << (source == &lent ? ", lent" : "");
        }
    }
    EXPECT_EQ(whole.size(), 41161u);
}

// A file read ahead on a thread gives the reader the same items as the file
// in memory, whatever its size against the blocks it is read in, whether the
// reader borrows the blocks or copies them; and a reader that stops early
// does not wait for the rest.
TEST(ReadAheadSource, GivesTheFileAsItIs) {
    const testing::TemporaryFolder folder;
    std::mt19937 random(5);
    std::string bytes(7 * 1024 * 1024 + 11, 'a');
    for (char& c : bytes) {
        c = "a,\n\r b\"9"[random() % 8];
    }
    const std::size_t block = 2 * 1024 * 1024;  // as the source reads
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{1}, block - 1, block, block + 1, bytes.size()}) {
        const std::string text = bytes.substr(0, size);
        std::string reason;
        auto borrowed = ReadAheadSource::over(
            FileSource::open(folder.write("file" + std::to_string(size), text), reason));
        FieldReader reader(*borrowed, 64);
        std::vector<std::string> items;
        for (Field field; reader.next(field);) {
            items.emplace_back(field.text);
        }
        EXPECT_EQ(items, readAll(text, 64)) << size << " bytes";
        auto copied = ReadAheadSource::over(
            FileSource::open(folder.path() / ("file" + std::to_string(size)), reason));
        std::string read(size + 1, '\0');
        std::size_t at = 0;
        while (const std::size_t count = copied->read(read.data() + at, 1000)) {
            at += count;
        }
        EXPECT_EQ(read.substr(0, at), text) << size << " bytes";
    }
    std::string reason;
    auto early = ReadAheadSource::over(FileSource::open(folder.write("early", bytes), reason));
    FieldReader reader(*early, 64);
    Field field;
    EXPECT_TRUE(reader.next(field));
}

// From a pipe, a read gives what has arrived, without waiting for a whole
// block or for the writer to close: a scan of `curl … |` shows its passages
// as they come.
TEST(FileSource, GivesWhatAPipeHolds) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    std::FILE* const reading = fdopen(ends[0], "rb");
    ASSERT_NE(reading, nullptr);
    const auto source = FileSource::borrow(reading);
    ASSERT_EQ(write(ends[1], "abc", 3), 3);
    // Should the read wait for the writer after all, it ends when this closes.
    std::promise<void> read;
    std::atomic<bool> closedFirst = false;
    std::thread writer([&, done = read.get_future()] {
        closedFirst = done.wait_for(std::chrono::seconds(3)) == std::future_status::timeout;
        close(ends[1]);
    });
    char into[1000];
    EXPECT_EQ(source->read(into, sizeof into), 3u);
    EXPECT_FALSE(closedFirst.load());
    read.set_value();
    writer.join();
    EXPECT_EQ(source->read(into, sizeof into), 0u);
    EXPECT_EQ(source->error(), "");
    std::fclose(reading);
}

class FailingSource final : public ByteSource {
  public:
    std::size_t read(char* into, std::size_t size) override {
        if (served_) {
            return 0;
        }
        served_ = true;
        const std::string_view data = "a,b\nc";
        std::copy(data.begin(), data.end(), into);
        (void)size;
        return data.size();
    }
    std::string error() const override { return served_ ? "Input/output error" : ""; }

  private:
    bool served_ = false;
};

TEST(FieldReader, ReportsWhyTheInputStopped) {
    FailingSource source;
    FieldReader reader(source, 80);
    Field field;
    int items = 0;
    while (reader.next(field)) {
        ++items;
    }
    EXPECT_EQ(items, 3);
    EXPECT_EQ(reader.error(), "Input/output error");
}

}  // namespace
}  // namespace vandrel

namespace vandrel {
namespace {

// The reader's maps of item ends, of either width, mark the same bytes as a
// plain loop, and nothing past the end, whatever the length and the bytes.
TEST(ItemEndMap, MarksEveryCommaCrAndLf) {
    std::mt19937 random(7);
    // Bytes that share the delimiters' low four bits, and high and low bytes.
    using namespace std::string_literals;
    const std::string alphabet = "ab ,\n\r\"x9.\x1a\x1c\x1d<\x8a\x8c\x8d\xff\x01\x00"s;
    std::vector<detail::ItemEndMapping> mappings = {&detail::mapItemEndsSse2};
#if defined(VANDREL_RUNTIME_AVX2)
    if (detail::processorHasAvx2()) {
        mappings.push_back(&detail::mapItemEndsAvx2);
    }
#endif
    for (int round = 0; round < 2000; ++round) {
        // Items short and long: CSV columns, plain lines and longer ones.
        const unsigned oneIn = 1 + random() % 120;
        std::string text(random() % 300, 'a');
        for (char& c : text) {
            c = random() % oneIn == 0 ? alphabet[random() % alphabet.size()] : 'a';
        }
        std::vector<std::uint64_t> expected((text.size() + 63) / 64);
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == ',' || text[i] == '\n' || text[i] == '\r') {
                expected[i / 64] |= std::uint64_t{1} << (i % 64);
            }
        }
        for (const detail::ItemEndMapping map : mappings) {
            std::vector<std::uint64_t> words(expected.size(), ~std::uint64_t{0});
            map(text.data(), text.size(), words.data());
            ASSERT_EQ(words, expected) << text;
        }
    }
}

}  // namespace
}  // namespace vandrel
