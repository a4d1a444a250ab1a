#include "shell/zk_module.h"

#include "shell/app.h"
#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/folder_item.h"
#include "shell/framework/media/script.h"
#include "shell/resources_folder.h"

namespace zkModule {
bool f_windowcloseing = false;

void SetApplicationToFront() {
    std::vector<Variant> parameters(1);
    parameters[0] = NotNil(NotNil(App()).ExecutableFile()).NativePath();
    zkActiveteDorvane2(parameters);
}
} // namespace zkModule

void zkActiveteDorvane2(const std::vector<Variant>& parameters) {
    const std::shared_ptr<FolderItem> resources = PackageResourcesFolder();
    // The script's item is tested neither for nil nor for existence: the script
    // execution handles both.
    ExecuteAppleScript(PackageChild(NotNil(resources), "zkActiveteDorvane2.scpt"), parameters);
}
