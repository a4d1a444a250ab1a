#pragma once
// Script execution through the script-runner seam: the file runs with /bin/sh and the
// parameters as separate arguments, for at most two seconds; output and status are
// ignored. A nil or missing file does nothing.

#include "shell/framework/core/variant.h"

#include <memory>
#include <string>
#include <vector>

class FolderItem;

class ScriptRunner {
  public:
    virtual ~ScriptRunner() = default;
    virtual void Run(const std::string& script_path, const std::vector<std::string>& arguments) = 0;
};

void InstallScriptRunner(std::shared_ptr<ScriptRunner> runner);
ScriptRunner& CurrentScriptRunner();

void ExecuteAppleScript(const std::shared_ptr<FolderItem>& file,
                        const std::vector<Variant>& parameters);
