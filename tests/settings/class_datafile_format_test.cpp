// The file format as get_data and put_data read and write it, byte for byte.
#include "tests/settings/settings_file_fixture.h"

namespace {

class ClassDatafileFormatTest : public SettingsFileTest {};

// Stray and cut-off sequences that are not UTF-8, in keys and values.
const std::string kStrayBytes = "k\n\xFF\xFE\n\xC3\n\x80v\n\xE3\x81\nend";

TEST_F(ClassDatafileFormatTest, TwoKeysGiveEighteenBytesAndAReplacementNineteen) {
    datafile->put_data("h_data", "7");
    datafile->put_data("m_data", "30");
    EXPECT_EQ(ReadFile(), "h_data\n7\nm_data\n30");
    EXPECT_EQ(ReadFile().size(), 18u);

    datafile->put_data("h_data", "12");
    EXPECT_EQ(ReadFile(), "h_data\n12\nm_data\n30");
    EXPECT_EQ(ReadFile().size(), 19u);
    EXPECT_TRUE(messages->texts.empty());
}

TEST_F(ClassDatafileFormatTest, MissingFileReadsEmptyAndIsLeftEmpty) {
    EXPECT_EQ(datafile->get_data("h_data"), "");
    ASSERT_TRUE(FileExists());
    EXPECT_EQ(ReadFile(), "");
    EXPECT_EQ(RuntimeExit(), kNoQuit);
}

TEST_F(ClassDatafileFormatTest, RewritePutsAWholeNewFileInTheOldOnesPlace) {
    WriteFile("h_data\n7");
    const ino_t before = Inode();
    datafile->put_data("h_data", "8");
    // While the old file is there the new one cannot have its number; later it could.
    EXPECT_NE(Inode(), before) << "never emptied and written in place";
    datafile->put_data("m_data", "9");
    EXPECT_EQ(ReadFile(), "h_data\n8\nm_data\n9");
}

struct PutCase {
    const char* name;
    std::string before, key, value, after;
};

class PutDataTest : public SettingsFileTest, public testing::WithParamInterface<PutCase> {};

TEST_P(PutDataTest, RewritesOnlyTheKeysValue) {
    const PutCase& row = GetParam();
    WriteFile(row.before);
    datafile->put_data(row.key, row.value);
    EXPECT_EQ(ReadFile(), row.after);
    EXPECT_TRUE(messages->texts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PutDataTest,
    testing::Values(
        PutCase{"IntoEmptyFile", "", "h_data", "7", "h_data\n7"},
        PutCase{"NewKeyAfterLastField", "a\n1\r\nb\n\u00A5\u00E9", "c", "3",
                "a\n1\r\nb\n\u00A5\u00E9\nc\n3"},
        PutCase{"ReplacesFirstPair", "h_data\n7\nm_data\n30", "h_data", "12",
                "h_data\n12\nm_data\n30"},
        PutCase{"ReplacesLastPair", "h_data\n7\nm_data\n30", "m_data", "5", "h_data\n7\nm_data\n5"},
        PutCase{"LaterDuplicatesUntouched", "x\n1\nk\nold\ny\n2\nk\nlater", "k", "new",
                "x\n1\nk\nnew\ny\n2\nk\nlater"},
        PutCase{"EmptyValueInTheMiddle", "a\n\nb\n2", "a", "z", "a\nz\nb\n2"},
        PutCase{"EmptyLastValue", "a\n1\nb\n", "b", "2", "a\n1\nb\n2"},
        PutCase{"StoresAnEmptyValue", "a\n1\nb\n2", "a", "", "a\n\nb\n2"},
        PutCase{"AppendsAnEmptyLastValue", "a\n1", "b", "", "a\n1\nb\n"},
        PutCase{"ValueEqualToKeyIsNoKey", "a\nh_data", "h_data", "1", "a\nh_data\nh_data\n1"},
        PutCase{"ValueEqualToKeyBeforeTheKey", "a\nh_data\nh_data\n5", "h_data", "6",
                "a\nh_data\nh_data\n6"},
        PutCase{"KeyInsideLongerKey", "h_data2\n1\nxh_data\n2", "h_data", "5",
                "h_data2\n1\nxh_data\n2\nh_data\n5"},
        PutCase{"CrLfKeysMatchNothing", "h_data\r\n7\r\nm_data\r\n30", "h_data", "5",
                "h_data\r\n7\r\nm_data\r\n30\nh_data\n5"},
        PutCase{"MultiByteKeysAndValues", "前\n後\n鍵\n値\nk\nv", "鍵", "新しい値",
                "前\n後\n鍵\n新しい値\nk\nv"},
        PutCase{"LineFeedsBecomeMarkers", "k\nv", "note", "a\nb\n",
                "k\nv\nnote\na" + kMarker + "b" + kMarker},
        PutCase{"MarkerTextStoredAsItIs", "", "k", "x" + kMarker + "y", "k\nx" + kMarker + "y"},
        PutCase{"CarriageReturnsStoredAsTheyAre", "", "k", "a\rb\r", "k\na\rb\r"},
        PutCase{"EmptyKey", "a\n1", "", "v", "a\n1\n\nv"},
        // Bytes that are not UTF-8 are field content like any other, and a cut-off
        // sequence never swallows the LF behind it.
        PutCase{"InvalidUtf8BeforeTheKey", kStrayBytes, "\xC3", "\u00E9",
                "k\n\xFF\xFE\n\xC3\n\u00E9\n\xE3\x81\nend"},
        PutCase{"InvalidUtf8CutSequenceKey", kStrayBytes, "\xE3\x81", "x",
                "k\n\xFF\xFE\n\xC3\n\x80v\n\xE3\x81\nx"},
        PutCase{"InvalidUtf8CutSequenceAtTheEnd", "a\n\xE3", "b", "1", "a\n\xE3\nb\n1"},
        PutCase{"InvalidUtf8ReplacedAtTheEnd", "\xF0\x9F\na\n1\n\xE3", "1", "x",
                "\xF0\x9F\na\n1\nx"},
        PutCase{"InvalidUtf8KeyAndValue", "a\n1", "\xC0\xAF", "\xED\xA0\x80",
                "a\n1\n\xC0\xAF\n\xED\xA0\x80"}),
    [](const testing::TestParamInfo<PutCase>& info) { return std::string(info.param.name); });

struct GetCase {
    const char* name;
    std::string file, key, value;
};

class GetDataTest : public SettingsFileTest, public testing::WithParamInterface<GetCase> {};

TEST_P(GetDataTest, ReadsTheFirstKeyFieldsValue) {
    const GetCase& row = GetParam();
    WriteFile(row.file);
    EXPECT_EQ(datafile->get_data(row.key), row.value);
    EXPECT_EQ(ReadFile(), row.file);
    EXPECT_EQ(RuntimeExit(), kNoQuit);
    EXPECT_TRUE(messages->texts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GetDataTest,
    testing::Values(GetCase{"EmptyFile", "", "h_data", ""},
                    GetCase{"FirstKey", "h_data\n7\nm_data\n30", "h_data", "7"},
                    GetCase{"LastKey", "h_data\n7\nm_data\n30", "m_data", "30"},
                    GetCase{"MissingKey", "h_data\n7\nm_data\n30", "h_timer", ""},
                    GetCase{"ValueIsNeverAKey", "a\nh_data", "h_data", ""},
                    GetCase{"ValueEqualToKeyBeforeTheKey", "a\nh_data\nh_data\n5", "h_data", "5"},
                    GetCase{"FirstDuplicateCounts", "k\n1\nk\n2", "k", "1"},
                    GetCase{"KeyInsideLongerKey", "h_data2\n1\nh_data\n5", "h_data", "5"},
                    GetCase{"CaseCounts", "H_DATA\n1\nh_data\n2", "h_data", "2"},
                    GetCase{"EmptyLastValue", "a\n1\nb\n", "b", ""},
                    GetCase{"MarkersBecomeLineFeeds", "k\na" + kMarker + "b" + kMarker, "k",
                            "a\nb\n"},
                    GetCase{"CrLfKeyWithoutCr", "h_data\r\n7\r\nm_data\r\n30", "h_data", ""},
                    GetCase{"CrLfKeyWithCr", "h_data\r\n7\r\nm_data\r\n30", "h_data\r", "7\r"},
                    GetCase{"CrLfLastValue", "h_data\r\n7\r\nm_data\r\n30", "m_data\r", "30"},
                    GetCase{"MultiByte", "鍵\n値\n\u00A5\n\u00A5\u00A5", "\u00A5", "\u00A5\u00A5"},
                    GetCase{"EmptyKey", "a\n1\n\nv", "", "v"},
                    GetCase{"InvalidUtf8Value", kStrayBytes, "k", "\xFF\xFE"},
                    GetCase{"InvalidUtf8Key", kStrayBytes, "\xC3", "\x80v"},
                    GetCase{"InvalidUtf8CutSequenceKey", kStrayBytes, "\xE3\x81", "end"},
                    GetCase{"InvalidUtf8CutSequenceAtTheEnd", "a\n\xE3", "a", "\xE3"}),
    [](const testing::TestParamInfo<GetCase>& info) { return std::string(info.param.name); });

TEST_F(ClassDatafileFormatTest, LineFeedsAndMarkerTextReadBackAsLineFeeds) {
    datafile->put_data("k", "one\ntwo" + kMarker + "three\n");
    EXPECT_EQ(datafile->get_data("k"), "one\ntwo\nthree\n");
    EXPECT_EQ(datafile->get_all(), "k\none" + kMarker + "two" + kMarker + "three" + kMarker);
}

TEST_F(ClassDatafileFormatTest, MarkerIsThirtySixCharactersWithTheYenSign) {
    datafile->put_data("k", "\n");
    const std::string stored = ReadFile();
    ASSERT_EQ(stored.size(), 2u + 37u);
    EXPECT_EQ(stored.substr(2), "<[ubobu12345zyx~/\u00A5#$;,.||abcdubobu]>");
    EXPECT_EQ(stored.substr(2 + 17, 2), "\xC2\xA5");
}

TEST_F(ClassDatafileFormatTest, EmptyLastValueEndsTheFileWithALineFeed) {
    datafile->put_data("a", "1");
    datafile->put_data("b", "");
    EXPECT_EQ(ReadFile(), "a\n1\nb\n");
    EXPECT_EQ(datafile->get_data("b"), "");
    EXPECT_EQ(datafile->get_data("a"), "1");
    datafile->put_data("c", "3");
    EXPECT_EQ(ReadFile(), "a\n1\nb\n\nc\n3");
    EXPECT_EQ(RuntimeExit(), kNoQuit);
}

} // namespace
