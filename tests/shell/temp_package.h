#pragma once
// A package laid out in a temporary folder, ROOT/<name>/bin/Dorvane2 beside
// ROOT/<name>/Resources/, with the application's ExecutableFile pointing into it.

#include "shell/framework/gui/application.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TempPackage {
  public:
    explicit TempPackage(const std::string& name = "pkg") {
        std::string pattern = (std::filesystem::temp_directory_path() / "dorvane2-XXXXXX").string();
        root = mkdtemp(pattern.data());
        folder = root / name;
        executable = folder / "bin" / "Dorvane2";
        resources = folder / "Resources";
        std::filesystem::create_directories(executable.parent_path());
        std::filesystem::create_directories(resources);
        std::ofstream(executable).put('\n');
        SetExecutablePathForTesting(executable.string());
    }
    ~TempPackage() { std::filesystem::remove_all(root); }
    TempPackage(const TempPackage&) = delete;
    TempPackage& operator=(const TempPackage&) = delete;

    // Copies a file of the built package's Resources ("Glass.aiff" …) into this one.
    void AddResource(const std::string& file_name) const {
        std::filesystem::copy_file(BuiltResources() / file_name, resources / file_name,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    void WriteResource(const std::string& file_name, const std::string& bytes) const {
        std::ofstream(resources / file_name, std::ios::binary) << bytes;
    }
    static std::filesystem::path BuiltResources() {
        return std::filesystem::path(PACKAGE_DIR) / "Resources";
    }

    std::filesystem::path root, folder, executable, resources;
};
