#include "tests/support/recording_script_runner.h"

std::shared_ptr<RecordingScriptRunner> InstallRecordingScriptRunner() {
    auto runner = std::make_shared<RecordingScriptRunner>();
    InstallScriptRunner(runner);
    return runner;
}
