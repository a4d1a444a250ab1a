#include "shell/framework/core/folder_item.h"
#include "shell/framework/media/script.h"
#include "shell/framework/media/shell_script_runner.h"
#include "tests/support/recording_script_runner.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// Running, as opposed to gone or a zombie that nobody has reaped yet.
bool Alive(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    const std::string line((std::istreambuf_iterator<char>(stat)), {});
    const size_t name_end = line.rfind(')');
    return name_end != std::string::npos && line.size() > name_end + 2 && line[name_end + 2] != 'Z';
}

class ScriptTest : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "dorvane2-script-XXXXXX").string();
        dir = mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(dir); }
    std::shared_ptr<FolderItem> Script(const std::string& body) const {
        std::ofstream(dir / "script.scpt") << body;
        return std::make_shared<FolderItem>((dir / "script.scpt").string());
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(dir / name);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
    fs::path dir;
};

TEST_F(ScriptTest, NilOrMissingFileRunsNothing) {
    const auto runner = InstallRecordingScriptRunner();
    ExecuteAppleScript(nullptr, {std::string("x")});
    ExecuteAppleScript(std::make_shared<FolderItem>((dir / "missing.scpt").string()), {});
    EXPECT_TRUE(runner->Runs().empty());
}

TEST_F(ScriptTest, ParametersGoToTheRunnerAsText) {
    const auto runner = InstallRecordingScriptRunner();
    const auto file = Script("");
    ExecuteAppleScript(file, {std::string("/a b/c"), int32_t(7), true, Variant()});
    ASSERT_EQ(runner->Runs().size(), 1u);
    EXPECT_EQ(runner->Runs()[0].script_path, file->NativePath());
    EXPECT_EQ(runner->Runs()[0].arguments, (std::vector<std::string>{"/a b/c", "7", "True", ""}));
}

TEST_F(ScriptTest, ShellRunnerGivesEachParameterAsOneArgument) {
    ShellScriptRunner runner;
    const auto file = Script("for a in \"$@\"; do printf '[%s]' \"$a\"; done > \"${0%/*}/args\"\n");
    runner.Run(file->NativePath(), {"one two", "", "*", "$(echo no)", "\"'", "a\nb"});
    EXPECT_EQ(Read("args"), "[one two][][*][$(echo no)][\"'][a\nb]");
}

TEST_F(ScriptTest, ShellRunnerSendsOutputToDevNullAndIgnoresTheStatus) {
    ShellScriptRunner runner;
    const auto file = Script("echo out; echo err >&2; out=$(readlink /proc/$$/fd/1); echo \"$out\" "
                             "> \"${0%/*}/where\"; exit 3\n");
    const fs::path captured = dir / "captured";
    const int saved_out = dup(STDOUT_FILENO), saved_err = dup(STDERR_FILENO);
    const int into = open(captured.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(into, STDOUT_FILENO);
    dup2(into, STDERR_FILENO);
    EXPECT_NO_THROW(runner.Run(file->NativePath(), {}));
    dup2(saved_out, STDOUT_FILENO);
    dup2(saved_err, STDERR_FILENO);
    close(into);
    EXPECT_EQ(fs::file_size(captured), 0u);
    EXPECT_NE(Read("where").find("/dev/null"), std::string::npos) << Read("where");
}

TEST_F(ScriptTest, ShellRunnerKillsAScriptStillRunningAfterItsTimeWithWhatItStarted) {
    ShellScriptRunner runner;
    const auto file = Script("sleep 30 & echo $! > \"${0%/*}/child\"; echo $$ > \"${0%/*}/shell\"; "
                             "wait; echo finished > \"${0%/*}/finished\"\n");
    runner.Run(file->NativePath(), {});
    const pid_t shell = std::stoi(Read("shell")), child = std::stoi(Read("child"));
    EXPECT_FALSE(Alive(shell)) << "the script still runs";
    // SIGKILL takes effect when the killed process is next scheduled.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (Alive(child) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(Alive(child)) << "what the script started still runs";
    EXPECT_FALSE(fs::exists(dir / "finished"));
}
} // namespace
