// Rewrites are atomic and serialised: a writer killed at any moment leaves the whole old
// or the whole new text, two running copies never break the file nor lose each other's
// keys, and the file keeps its permissions and its link.
#include "tests/settings/settings_file_fixture.h"
#include "tests/support/read_only_folder.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <functional>
#include <random>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class AtomicRewriteTest : public SettingsFileTest {
  protected:
    // The names in the folder `folder`, sorted.
    static std::vector<std::string> Names(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Forks a process that runs `work` on an object of its own and exits with its status.
    pid_t Fork(const std::function<int(Class_datafile&)>& work) const {
        const pid_t pid = fork();
        if (pid != 0) return pid;
        int status = 3;
        try {
            Class_datafile data(file);
            status = work(data);
        } catch (...) {
            status = 2;
        }
        std::_Exit(status);
    }

    static bool Running(pid_t pid) {
        siginfo_t info{};
        return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
               info.si_pid == 0;
    }

    static int ExitStatus(pid_t pid) {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
};

TEST_F(AtomicRewriteTest, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewText) {
    const std::string short_value = "30", long_value(20000, 'v');
    const std::string old_text = "h_data\n7\nm_data\n" + short_value + "\nsound_res\n2";
    const std::string new_text = "h_data\n7\nm_data\n" + long_value + "\nsound_res\n2";
    WriteFile(old_text);
    // The writer's cycle, timed here first, so that the kills fall all over it whatever
    // this build's speed; the file holds the old text again afterwards.
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 10; ++i) {
        datafile->put_data("m_data", long_value);
        datafile->put_data("m_data", short_value);
    }
    const auto cycle = std::chrono::duration_cast<std::chrono::microseconds>(
                           std::chrono::steady_clock::now() - start) /
                       10;
    ASSERT_EQ(ReadFile(), old_text);
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int64_t> delay_us(0, 2 * cycle.count());
    int old_seen = 0, new_seen = 0, strays_seen = 0;
    for (int kill = 0; kill < 300; ++kill) {
        const pid_t writer = Fork([&](Class_datafile& data) {
            for (;;) {
                data.put_data("m_data", long_value);
                data.put_data("m_data", short_value);
            }
            return 0;
        });
        ASSERT_GT(writer, 0);
        usleep(static_cast<useconds_t>(delay_us(random)));
        ::kill(writer, SIGKILL);
        ASSERT_EQ(ExitStatus(writer), 128 + SIGKILL) << "the writer failed by itself";
        const std::string now = ReadFile();
        ASSERT_TRUE(now == old_text || now == new_text)
            << "after kill " << kill << ": " << now.size() << " bytes, " << SplitFields(now).size()
            << " fields";
        ++(now == old_text ? old_seen : new_seen);
        if (Names(dir).size() > 1) ++strays_seen;
    }
    // Killed while rewriting, in both directions, not only before its first write.
    EXPECT_GT(old_seen, 10);
    EXPECT_GT(new_seen, 10);
    // A kill between making the new text's file and putting it in place leaves that file;
    // the next rewrite takes it away.
    EXPECT_GT(strays_seen, 0) << "no kill came while a new text was being written";
    datafile->put_data("m_data", short_value);
    EXPECT_EQ(ReadFile(), old_text);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"Dorvane2appData"});
}

TEST_F(AtomicRewriteTest, ARewriteRemovesLeftoverNewTextsThatNoWriterHoldsAndNothingElse) {
    WriteFile("h_data\n7");
    const auto make = [&](const std::string& name) {
        std::ofstream(dir + "/" + name) << "h_data\n8";
        return dir + "/" + name;
    };
    make(".Dorvane2appData.a1B2c3"); // a writer's, killed before it renamed it
    // A running writer's: it holds the file's lock until the rename.
    const int held = open(make(".Dorvane2appData.Held00").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    // Not of the settings file's writers.
    make(".Dorvane2appData.bak");
    make(".Dorvane2appData.a1B2c3d");
    make(".Dorvane2appData.a1-2c3");
    make("Dorvane2appData.a1B2c3");
    make(".Other.a1B2c3");
    std::filesystem::create_directory(dir + "/.Dorvane2appData.d1R2c3");
    std::filesystem::create_symlink("Dorvane2appData", dir + "/.Dorvane2appData.l1N2k3");

    datafile->put_data("m_data", "30");
    close(held);
    EXPECT_EQ(ReadFile(), "h_data\n7\nm_data\n30");
    EXPECT_EQ(Names(dir),
              (std::vector<std::string>{
                  ".Dorvane2appData.Held00", ".Dorvane2appData.a1-2c3", ".Dorvane2appData.a1B2c3d",
                  ".Dorvane2appData.bak", ".Dorvane2appData.d1R2c3", ".Dorvane2appData.l1N2k3",
                  ".Other.a1B2c3", "Dorvane2appData", "Dorvane2appData.a1B2c3"}));
}

TEST_F(AtomicRewriteTest, TwoCopiesWritingAtOnceNeverBreakTheFileNorLoseAKey) {
    constexpr int kWrites = 300;
    WriteFile("shared\nnone");
    // Both writers wait at the gate, so that their writes overlap from the first.
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    const auto writer = [&](const std::string& key) {
        return Fork([&, key](Class_datafile& data) {
            close(gate[1]);
            char byte;
            if (read(gate[0], &byte, 1) != 0) return 4;
            for (int i = 0; i < kWrites; ++i) {
                data.put_data(key, key + std::to_string(i));
                data.put_data("shared", key + std::to_string(i));
            }
            return messages->texts.empty() ? 0 : 1;
        });
    };
    const pid_t first = writer("h_data"), second = writer("m_data");
    close(gate[0]);
    close(gate[1]);

    // Every read made meanwhile sees a well-formed file.
    int reads = 0, malformed = 0;
    for (bool running = true; running; ++reads) {
        running = Running(first) || Running(second);
        if (SplitFields(ReadFile()).size() % 2 != 0) ++malformed;
    }
    EXPECT_EQ(ExitStatus(first), 0) << "1: a writer found the file malformed";
    EXPECT_EQ(ExitStatus(second), 0);
    EXPECT_EQ(malformed, 0) << "of " << reads << " reads";

    const std::string last_first = "h_data" + std::to_string(kWrites - 1);
    const std::string last_second = "m_data" + std::to_string(kWrites - 1);
    EXPECT_EQ(datafile->get_data("h_data"), last_first);
    EXPECT_EQ(datafile->get_data("m_data"), last_second);
    const std::string shared = datafile->get_data("shared");
    EXPECT_TRUE(shared == last_first || shared == last_second) << shared;
    EXPECT_EQ(SplitFields(ReadFile()).size(), 6u);
}

struct WriteCase {
    const char* name;
    void (*write)(Class_datafile&);
    const char* after; // the text after the write, from "h_data\n7\nm_data\n30"
};
void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class EveryWriteTest : public AtomicRewriteTest, public testing::WithParamInterface<WriteCase> {
  protected:
    static constexpr const char* kBefore = "h_data\n7\nm_data\n30";
};

TEST_P(EveryWriteTest, KeepsThePermissionsAndLeavesNoOtherFile) {
    WriteFile(kBefore);
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    GetParam().write(*datafile);
    EXPECT_EQ(ReadFile(), GetParam().after);
    struct stat info {};
    ASSERT_EQ(lstat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"Dorvane2appData"});
}

TEST_P(EveryWriteTest, WritesThroughALinkToItsTarget) {
    std::filesystem::create_directory(dir + "/real");
    std::ofstream(dir + "/real/settings", std::ios::binary) << kBefore;
    std::filesystem::create_symlink("real/settings", path);
    GetParam().write(*datafile);
    ASSERT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(std::filesystem::read_symlink(path), "real/settings");
    EXPECT_EQ(ReadFile(), GetParam().after);
    EXPECT_EQ(Names(dir + "/real"), std::vector<std::string>{"settings"});
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"Dorvane2appData", "real"}));
}

// A folder that takes no new file, with a file in it that may be written: the new text
// is written over the old one in the same file.
TEST_P(EveryWriteTest, InAFolderThatTakesNoNewFileRewritesTheSameFileInPlace) {
    WriteFile(kBefore);
    const ino_t before = Inode();
    {
        ReadOnlyFolder folder(dir);
        ASSERT_TRUE(folder.TakesNoNewFile());
        EXPECT_NO_THROW(GetParam().write(*datafile));
    }
    EXPECT_EQ(ReadFile(), GetParam().after);
    EXPECT_EQ(Inode(), before);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"Dorvane2appData"});
    EXPECT_TRUE(messages->texts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Writes, EveryWriteTest,
    testing::Values(WriteCase{"put_data", [](Class_datafile& d) { d.put_data("m_data", "31"); },
                              "h_data\n7\nm_data\n31"},
                    WriteCase{"put_all", [](Class_datafile& d) { d.put_all("k\nv"); }, "k\nv"},
                    WriteCase{"add_all", [](Class_datafile& d) { d.add_all("\nx\ny"); },
                              "h_data\n7\nm_data\n30\nx\ny"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
