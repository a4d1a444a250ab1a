#include "shell/file_types.h"

#include "shell/framework/core/exceptions.h"

namespace FileTypes {
std::shared_ptr<FileTypeList> pAllFileTypes;
std::shared_ptr<FileType> pUntitled;

std::shared_ptr<FileType> Untitled() {
    return pUntitled;
}

void Initialize() {
    pUntitled = std::make_shared<FileType>();
    NotNil(pUntitled).Name = "text";
    NotNil(pUntitled).Extensions = "";
    NotNil(pUntitled).MacType = "TEXT";
    NotNil(pUntitled).MacCreator = "R*ch";
    NotNil(pUntitled).MimeType = "";
    NotNil(pUntitled).Imported = true;
    NotNil(pUntitled).ConformsTo = "";
    NotNil(pAllFileTypes).push_back(pUntitled);
    // Converting it to text registers it; the text itself is not needed.
    NotNil(Untitled()).ToText();
}
} // namespace FileTypes
