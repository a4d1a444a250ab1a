#pragma once
// The script-runner fake: records each run instead of starting a process.

#include "shell/framework/media/script.h"

#include <memory>
#include <string>
#include <vector>

struct ScriptRunRecord {
    std::string script_path;
    std::vector<std::string> arguments;
};

class RecordingScriptRunner : public ScriptRunner {
  public:
    void Run(const std::string& script_path, const std::vector<std::string>& arguments) override {
        runs_.push_back({script_path, arguments});
    }

    const std::vector<ScriptRunRecord>& Runs() const { return runs_; }
    void Clear() { runs_.clear(); }

  private:
    std::vector<ScriptRunRecord> runs_;
};

// Installs a fresh recorder as the script runner and returns it.
std::shared_ptr<RecordingScriptRunner> InstallRecordingScriptRunner();
