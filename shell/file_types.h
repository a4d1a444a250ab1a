#pragma once
// The one document type the application declares.

#include "shell/framework/core/file_type.h"

#include <memory>
#include <vector>

namespace FileTypes {
using FileTypeList = std::vector<std::shared_ptr<FileType>>;
// A new empty list from the initialiser on; nil after its finalizer.
extern std::shared_ptr<FileTypeList> pAllFileTypes;
extern std::shared_ptr<FileType> pUntitled;

std::shared_ptr<FileType> Untitled();
// Creates the "text" type, lists it and registers it with the framework.
void Initialize();
} // namespace FileTypes
