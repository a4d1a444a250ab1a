#pragma once
// Well-known folders of the user.

#include <memory>

class FolderItem;

namespace SpecialFolder {
// The XDG documents folder, created when missing; nil when no home folder can be found.
std::shared_ptr<FolderItem> Documents();
} // namespace SpecialFolder
