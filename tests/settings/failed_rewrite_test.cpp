// A rewrite whose write fails leaves the old text in the same file, leaves no other file
// behind, and lets the IOException go on.
#include "shell/framework/core/exceptions.h"
#include "tests/settings/settings_file_fixture.h"
#include "tests/support/read_only_folder.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace {

// In a child process: caps the size of any file written (RLIMIT_FSIZE; SIGXFSZ ignored so
// the write fails with EFBIG instead of killing the process), runs `rewrite`, and exits 0
// when it raised an IOException with EFBIG, 1 when it succeeded.
[[noreturn]] void RunWithFileSizeCap(rlim_t cap_bytes, const std::function<void()>& rewrite) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit cap{cap_bytes, cap_bytes};
    if (setrlimit(RLIMIT_FSIZE, &cap) != 0) {
        std::fputs("setrlimit failed\n", stderr);
        std::_Exit(3);
    }
    try {
        rewrite();
    } catch (const IOException& error) {
        if (error.ErrorNumber() == EFBIG) std::_Exit(0);
        std::fprintf(stderr, "IOException %d\n", error.ErrorNumber());
        std::_Exit(2);
    } catch (...) {
        std::fputs("another exception\n", stderr);
        std::_Exit(2);
    }
    std::fputs("the rewrite succeeded\n", stderr);
    std::_Exit(1);
}

class FailedRewriteTest : public SettingsFileTest {
  protected:
    const std::string settings = "h_data\n7\nm_data\n30\nsound_res\n\u00A5";
    const std::string too_long = std::string(300, 'x') + "\n" + std::string(300, 'y');
};

TEST_F(FailedRewriteTest, PutDataKeepsTheOldText) {
    WriteFile(settings);
    const ino_t before = Inode();
    EXPECT_EXIT(RunWithFileSizeCap(256, [&] { datafile->put_data("m_data", too_long); }),
                testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadFile(), settings);
    EXPECT_EQ(Inode(), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

TEST_F(FailedRewriteTest, PutAllKeepsTheOldText) {
    WriteFile(settings);
    const ino_t before = Inode();
    EXPECT_EXIT(RunWithFileSizeCap(256, [&] { datafile->put_all(too_long); }),
                testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadFile(), settings);
    EXPECT_EQ(Inode(), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

// Written in place, the file has room for the whole new text before a byte of it changes.
TEST_F(FailedRewriteTest, InAFolderThatTakesNoNewFileAFailedRewriteKeepsTheOldText) {
    WriteFile(settings);
    const ino_t before = Inode();
    ReadOnlyFolder folder(dir);
    ASSERT_TRUE(folder.TakesNoNewFile());
    EXPECT_EXIT(RunWithFileSizeCap(256, [&] { datafile->put_data("m_data", too_long); }),
                testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadFile(), settings);
    EXPECT_EQ(Inode(), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

TEST_F(FailedRewriteTest, RewriteWithinTheCapSucceeds) {
    WriteFile(settings);
    EXPECT_EXIT(RunWithFileSizeCap(256, [&] { datafile->put_data("m_data", "31"); }),
                testing::ExitedWithCode(1), "the rewrite succeeded");
    EXPECT_EQ(ReadFile(), "h_data\n7\nm_data\n31\nsound_res\n\u00A5");
}

TEST_F(FailedRewriteTest, ReadErrorRaisesIOExceptionAndWritesNothing) {
    // A folder where the file should be: it opens, but reading it fails.
    std::filesystem::create_directory(path);
    EXPECT_THROW(datafile->put_data("h_data", "7"), IOException);
    EXPECT_THROW(datafile->get_data("h_data"), IOException);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_TRUE(messages->texts.empty());
}

} // namespace
