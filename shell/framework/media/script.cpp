#include "shell/framework/media/script.h"

#include "shell/framework/core/folder_item.h"
#include "shell/framework/core/seam.h"
#include "shell/framework/media/shell_script_runner.h"

namespace {
Seam<ScriptRunner, ShellScriptRunner> script_runner;
} // namespace

void InstallScriptRunner(std::shared_ptr<ScriptRunner> runner) {
    script_runner.Install(std::move(runner));
}
ScriptRunner& CurrentScriptRunner() {
    return script_runner.Current();
}

void ExecuteAppleScript(const std::shared_ptr<FolderItem>& file,
                        const std::vector<Variant>& parameters) {
    if (!file || !file->Exists()) return;
    std::vector<std::string> arguments;
    arguments.reserve(parameters.size());
    for (const Variant& parameter : parameters)
        arguments.push_back(VariantToText(parameter));
    CurrentScriptRunner().Run(file->NativePath(), arguments);
}
