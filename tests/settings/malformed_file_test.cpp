// Files the program did not write: an odd field count, a byte-order mark, a megabyte of
// garbage. Nothing crashes and no byte is lost.
#include "tests/settings/settings_file_fixture.h"

#include <random>

namespace {

class UnusualFileTest : public SettingsFileTest {};

struct OddCase {
    const char* name;
    std::string bytes;
};

class MalformedFileTest : public SettingsFileTest, public testing::WithParamInterface<OddCase> {};

TEST_P(MalformedFileTest, EveryReadQuitsSilentlyAndReturnsEmptyText) {
    const std::string bytes = GetParam().bytes;
    WriteFile(bytes);
    for (const char* key : {"h_data", "m_data", "h_data", "7", "nothing"}) {
        Quit(kNoQuit);
        EXPECT_EQ(datafile->get_data(key), "") << key;
        EXPECT_EQ(RuntimeExit(), 0) << key;
    }
    EXPECT_TRUE(messages->texts.empty());
    EXPECT_EQ(ReadFile(), bytes);
}

TEST_P(MalformedFileTest, FirstWriteReportsOnceAndNoWriteChangesAByte) {
    const std::string bytes = GetParam().bytes;
    WriteFile(bytes);
    for (const char* key :
         {"h_data", "m_data", "h_timer", "m_timer", "sound_res", "window_top", "window_left"})
        datafile->put_data(key, "1");
    ASSERT_EQ(messages->texts.size(), 1u);
    EXPECT_EQ(messages->texts[0], MalformedMessage(path));
    EXPECT_EQ(ReadFile(), bytes);
    EXPECT_EQ(RuntimeExit(), kNoQuit);
}

INSTANTIATE_TEST_SUITE_P(OddFieldCounts, MalformedFileTest,
                         testing::Values(OddCase{"KeyWithoutValue", "h_data"},
                                         OddCase{"LineFeedAfterLastValue", "h_data\n7\n"},
                                         OddCase{"ThreeFields", "a\nb\nc"},
                                         OddCase{"CrLfLineEnds", "h_data\r\n7\r\n"},
                                         OddCase{"OnlyLineFeeds", "\n\n"},
                                         OddCase{"LastKeyWithoutValue", "h_data\n7\nm_data"}),
                         [](const testing::TestParamInfo<OddCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(UnusualFileTest, AfterTheReportWritesByKeyStayOffForTheObjectsLife) {
    WriteFile("h_data\n7\n");
    datafile->put_data("h_data", "8");
    ASSERT_EQ(messages->texts.size(), 1u);

    // Even once the file is well-formed again, this object writes no more keys…
    WriteFile("h_data\n7");
    datafile->put_data("h_data", "9");
    EXPECT_EQ(ReadFile(), "h_data\n7");
    EXPECT_EQ(messages->texts.size(), 1u);

    // …while reading and the whole-file operations go on as before.
    EXPECT_EQ(datafile->get_data("h_data"), "7");
    datafile->put_all("m_data\n30");
    datafile->add_all("5");
    EXPECT_EQ(datafile->get_all(), "m_data\n305");

    // A new object on the same file writes again.
    Class_datafile fresh(file);
    fresh.put_data("m_data", "1");
    EXPECT_EQ(ReadFile(), "m_data\n1");
}

TEST_F(UnusualFileTest, ByteOrderMarkBelongsToTheFirstKey) {
    const std::string bom = "\xEF\xBB\xBF";
    WriteFile(bom + "h_data\n7\nm_data\n30");
    EXPECT_EQ(datafile->get_data("h_data"), "");
    EXPECT_EQ(datafile->get_data(bom + "h_data"), "7");
    EXPECT_EQ(datafile->get_data("m_data"), "30");

    datafile->put_data("m_data", "31");
    EXPECT_EQ(ReadFile(), bom + "h_data\n7\nm_data\n31");
    datafile->put_data("h_data", "8");
    EXPECT_EQ(ReadFile(), bom + "h_data\n7\nm_data\n31\nh_data\n8");
    EXPECT_EQ(datafile->get_data("h_data"), "8");
    EXPECT_EQ(RuntimeExit(), kNoQuit);
}

// A megabyte of random bytes, its last byte set so the LFs give the wanted field parity.
std::string Garbage(bool even_fields) {
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string text(1 << 20, '\0');
    for (char& c : text)
        c = static_cast<char>(byte(random));
    const bool even = SplitFields(text).size() % 2 == 0;
    if (even != even_fields) text.back() = text.back() == '\n' ? 'x' : '\n';
    return text;
}

TEST_F(UnusualFileTest, GarbageWithEvenFieldsReadsAndRewritesByteForByte) {
    const std::string garbage = Garbage(true);
    WriteFile(garbage);
    const std::vector<std::string> fields = SplitFields(garbage);
    ASSERT_GT(fields.size(), 1000u);

    // A key field from the middle of the file; its first occurrence is the one that counts.
    const std::string key = fields[(fields.size() / 2) & ~size_t{1}];
    size_t index = 0;
    while (fields[index] != key)
        index += 2;
    ASSERT_EQ(fields[index + 1].find(kMarker), std::string::npos);
    EXPECT_EQ(datafile->get_data(key), fields[index + 1]);

    datafile->put_data(key, "new");
    size_t value_start = 0;
    for (size_t i = 0; i <= index; ++i)
        value_start += fields[i].size() + 1;
    const std::string expected = garbage.substr(0, value_start) + "new" +
                                 garbage.substr(value_start + fields[index + 1].size());
    EXPECT_EQ(ReadFile(), expected);

    datafile->put_data("h_data", "7");
    EXPECT_EQ(ReadFile(), expected + "\nh_data\n7");
    EXPECT_EQ(datafile->get_data("h_data"), "7");
    EXPECT_TRUE(messages->texts.empty());
    EXPECT_EQ(RuntimeExit(), kNoQuit);
}

TEST_F(UnusualFileTest, GarbageWithOddFieldsIsMalformedAndKept) {
    const std::string garbage = Garbage(false);
    WriteFile(garbage);
    EXPECT_EQ(datafile->get_data("h_data"), "");
    EXPECT_EQ(RuntimeExit(), 0);
    datafile->put_data("h_data", "7");
    ASSERT_EQ(messages->texts.size(), 1u);
    EXPECT_EQ(messages->texts[0], MalformedMessage(path));
    EXPECT_EQ(ReadFile(), garbage);
}

} // namespace
