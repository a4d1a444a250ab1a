#pragma once
// The package's Resources folder, found from the running executable: its folder's
// parent, then that folder's child "Resources".

#include "shell/framework/core/folder_item.h"

#include <functional>
#include <memory>
#include <string>

// Raises NilObjectException when the application object, its executable or either parent
// folder is nil; nil when the child lookup gives nil.
std::shared_ptr<FolderItem> PackageResourcesFolder();

// folder.Child(name), for every lookup inside the package.
std::shared_ptr<FolderItem> PackageChild(const FolderItem& folder, const std::string& name);
// FolderItem::Child never gives nil; tests put a lookup that can in its place to reach
// the program's nil branches. An empty function restores FolderItem::Child.
using ChildLookup =
    std::function<std::shared_ptr<FolderItem>(const FolderItem&, const std::string&)>;
void SetPackageChildLookupForTesting(ChildLookup lookup);
