#include "shell/resources_folder.h"

#include "shell/app.h"
#include "shell/framework/core/exceptions.h"

namespace {
ChildLookup& TestingLookup() {
    static ChildLookup lookup;
    return lookup;
}
} // namespace

std::shared_ptr<FolderItem> PackageResourcesFolder() {
    const std::shared_ptr<FolderItem> executable = NotNil(App()).ExecutableFile();
    const std::shared_ptr<FolderItem> folder = NotNil(executable).Parent();
    const std::shared_ptr<FolderItem> contents = NotNil(folder).Parent();
    return PackageChild(NotNil(contents), "Resources");
}

std::shared_ptr<FolderItem> PackageChild(const FolderItem& folder, const std::string& name) {
    if (TestingLookup()) return TestingLookup()(folder, name);
    return folder.Child(name);
}

void SetPackageChildLookupForTesting(ChildLookup lookup) {
    TestingLookup() = std::move(lookup);
}
