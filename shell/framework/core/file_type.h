#pragma once
// A document type the application declares. Converting it to text registers it with
// the framework, once; destroying a registered type deregisters it by its name.

#include "shell/framework/core/object.h"

#include <string>

class FileType : public Object {
  public:
    ~FileType() override;

    std::string Name, Extensions, MacType, MacCreator, MimeType, ConformsTo, UTI;
    bool Imported = false;

    // Operator_Convert: registers the type unless it is registered, and yields its Name.
    std::string ToText();
    bool IsRegistered() const { return registered_; }

  private:
    bool registered_ = false;
};
