#include "shell/framework/gui/testing_reset.h"

#include "shell/framework/core/runtime.h"
#include "shell/framework/gui/application.h"
#include "shell/framework/gui/plugin.h"
#include "shell/framework/gui/quit_requests.h"
#include "shell/framework/gui/window.h"
#include "shell/framework/media/script.h"
#include "shell/framework/media/sound.h"

void FrameworkResetForTesting() {
    // The windows first, as the loop's end has it, while their menu bar still stands.
    ReleaseImplicitWindows();
    SetApplicationMenuBar(nullptr);
    ForgetQuitRequestsForTesting();
    RuntimeForgetPluginForTesting();
    SetExecutablePathForTesting("");
    Application::SetSupportsHiDPI(false);
    InstallAudioOutput(nullptr);
    InstallScriptRunner(nullptr);
    RuntimeResetForTesting();
}
