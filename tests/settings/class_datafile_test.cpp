// The whole-file operations, deleting, a nil file and the object's lifetime.
#include "shell/framework/core/exceptions.h"
#include "tests/settings/settings_file_fixture.h"

#include <functional>

namespace {

class ClassDatafileTest : public SettingsFileTest {};

TEST_F(ClassDatafileTest, GetAllReturnsTheTextWithItsMarkers) {
    WriteFile("k\na" + kMarker + "b\nodd");
    EXPECT_EQ(datafile->get_all(), "k\na" + kMarker + "b\nodd");
    EXPECT_EQ(RuntimeExit(), kNoQuit);
}

TEST_F(ClassDatafileTest, GetAllCreatesAMissingFileEmpty) {
    EXPECT_EQ(datafile->get_all(), "");
    ASSERT_TRUE(FileExists());
    EXPECT_EQ(ReadFile(), "");
}

TEST_F(ClassDatafileTest, PutAllReplacesTheWholeTextUnescaped) {
    WriteFile("h_data\n7\nm_data\n30");
    datafile->put_all("a\nb\nc");
    EXPECT_EQ(ReadFile(), "a\nb\nc");
}

TEST_F(ClassDatafileTest, PutAllCreatesAMissingFile) {
    datafile->put_all("k\nv");
    EXPECT_EQ(ReadFile(), "k\nv");
}

TEST_F(ClassDatafileTest, AddAllAppendsWithNoSeparator) {
    WriteFile("k\nv");
    datafile->add_all("x\ny\nz");
    EXPECT_EQ(ReadFile(), "k\nvx\ny\nz");
    EXPECT_EQ(datafile->get_data("k"), "vx");
    EXPECT_EQ(datafile->get_data("y"), "z");
}

TEST_F(ClassDatafileTest, AddAllCreatesAMissingFile) {
    datafile->add_all("k\nv");
    EXPECT_EQ(ReadFile(), "k\nv");
}

TEST_F(ClassDatafileTest, ClearFileLeavesAMissingFileMissing) {
    datafile->clear_file();
    EXPECT_FALSE(FileExists());
}

TEST_F(ClassDatafileTest, ClearFileEmptiesTheSameFile) {
    WriteFile("h_data\n7\nm_data\n30");
    const ino_t before = Inode();
    datafile->clear_file();
    ASSERT_TRUE(FileExists());
    EXPECT_EQ(Inode(), before);
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST_F(ClassDatafileTest, DeleteFileRemovesItSilently) {
    WriteFile("h_data\n7");
    datafile->delete_file();
    EXPECT_FALSE(FileExists());
    EXPECT_TRUE(messages->texts.empty());
    EXPECT_EQ(RuntimeExit(), kNoQuit);
}

TEST_F(ClassDatafileTest, DeleteFileAlreadyGoneShowsNothingAndDoesNotQuit) {
    datafile->delete_file();
    EXPECT_FALSE(FileExists());
    EXPECT_TRUE(messages->texts.empty());
    EXPECT_EQ(RuntimeExit(), kNoQuit);
}

TEST_F(ClassDatafileTest, DeleteFileThatStaysReportsAndQuits) {
    // A folder that is not empty cannot be removed, even by root.
    std::filesystem::create_directory(path);
    std::ofstream(path + "/kept") << "x";
    datafile->delete_file();
    EXPECT_TRUE(FileExists());
    ASSERT_EQ(messages->texts.size(), 1u);
    EXPECT_EQ(messages->texts[0], "ファイルの削除に失敗しました。\r\r" + path);
    EXPECT_EQ(RuntimeExit(), 0);
}

struct NilCase {
    const char* name;
    std::function<void(Class_datafile&)> operation;
};

class NilFileTest : public SettingsFileTest, public testing::WithParamInterface<NilCase> {};

TEST_P(NilFileTest, RaisesNilObjectException) {
    Class_datafile nil_file(nullptr);
    EXPECT_THROW(GetParam().operation(nil_file), NilObjectException);
    EXPECT_TRUE(messages->texts.empty());
    EXPECT_EQ(RuntimeExit(), kNoQuit);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, NilFileTest,
    testing::Values(NilCase{"get_data", [](Class_datafile& d) { d.get_data("h_data"); }},
                    NilCase{"put_data", [](Class_datafile& d) { d.put_data("h_data", "7"); }},
                    NilCase{"get_all", [](Class_datafile& d) { d.get_all(); }},
                    NilCase{"put_all", [](Class_datafile& d) { d.put_all("k\nv"); }},
                    NilCase{"add_all", [](Class_datafile& d) { d.add_all("k\nv"); }},
                    NilCase{"clear_file", [](Class_datafile& d) { d.clear_file(); }},
                    NilCase{"delete_file", [](Class_datafile& d) { d.delete_file(); }}),
    [](const testing::TestParamInfo<NilCase>& info) { return std::string(info.param.name); });

TEST_F(ClassDatafileTest, ConstructorTouchesNoDisk) {
    Class_datafile other(file);
    EXPECT_FALSE(FileExists());
}

size_t OpenDescriptors() {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

TEST_F(ClassDatafileTest, NoStreamStaysOpenBetweenOperations) {
    const size_t before = OpenDescriptors();
    datafile->get_data("h_data");
    datafile->put_data("h_data", "7");
    datafile->put_all("h_data\n8");
    datafile->add_all("\nm_data\n9");
    datafile->get_all();
    datafile->clear_file();
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(ClassDatafileTest, ReleasingTheObjectReleasesItsFile) {
    datafile->put_data("h_data", "7");
    const std::weak_ptr<FolderItem> watched = file;
    file = nullptr;
    datafile = nullptr;
    EXPECT_TRUE(watched.expired());
}

} // namespace
