#pragma once
// The real script runner: /bin/sh with the script and each parameter as its own
// argument, never a command line built from text. Output goes to /dev/null, the status
// is ignored, and a script still running after two seconds is killed with its children.

#include "shell/framework/media/script.h"

class ShellScriptRunner : public ScriptRunner {
  public:
    void Run(const std::string& script_path, const std::vector<std::string>& arguments) override;

    static constexpr int kTimeLimitMs = 2000;
};
