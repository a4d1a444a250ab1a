#include "shell/framework/core/file_type.h"

#include "shell/framework/core/runtime.h"

FileType::~FileType() {
    if (registered_) RuntimeDeregisterFileType(Name);
}

std::string FileType::ToText() {
    if (!registered_) {
        RuntimeRegisterFileType(Name, MacCreator, MacType, Extensions, UTI);
        registered_ = true;
    }
    return Name;
}
