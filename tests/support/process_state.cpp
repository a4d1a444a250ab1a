#include "tests/support/process_state.h"

#include "shell/framework/gui/testing_reset.h"
#include "shell/startup.h"

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {
std::vector<std::string> Environment() {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry)
        entries.emplace_back(*entry);
    return entries;
}

void RestoreEnvironment(const std::vector<std::string>& entries) {
    if (Environment() == entries) return;
    clearenv();
    for (const auto& entry : entries) {
        const auto equals = entry.find('=');
        setenv(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str(), 1);
    }
}

class ProcessStateListener : public testing::EmptyTestEventListener {
  public:
    void OnTestStart(const testing::TestInfo&) override {
        environment_ = Environment();
        folder_ = std::filesystem::current_path();
    }

    void OnTestEnd(const testing::TestInfo&) override {
        FrameworkResetForTesting();
        ResetStaticsForTesting();
        // The event loop leaves it off; a new QApplication has it on.
        if (QApplication::instance()) QApplication::setQuitOnLastWindowClosed(true);
        RestoreEnvironment(environment_);
        std::filesystem::current_path(folder_);
    }

  private:
    std::vector<std::string> environment_;
    std::filesystem::path folder_;
};
} // namespace

testing::TestEventListener* NewProcessStateListener() {
    return new ProcessStateListener;
}
