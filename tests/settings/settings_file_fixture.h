#pragma once
// A settings file in a temporary folder of its own, with the message recorder installed.
// The file's bytes are set up and inspected directly, never through Class_datafile.

#include "settings/class_datafile.h"
#include "shell/framework/core/folder_item.h"
#include "shell/framework/core/runtime.h"
#include "tests/support/recording_message_box.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

// The marker that stands for a line feed inside a value, spelled out byte by byte:
// 36 characters, the 18th the yen sign U+00A5 (C2 A5), 37 bytes.
inline const std::string kMarker = "<[ubobu12345zyx~/\xC2\xA5#$;,.||abcdubobu]>";

// The malformed-file message for the file at `path`, CRs included.
inline std::string MalformedMessage(const std::string& path) {
    return "データ構成が不正です。\r\r下記のデータファイルを削除してみてください。\r" + path;
}

// The file's fields, split at every LF byte (the empty text has none).
inline std::vector<std::string> SplitFields(const std::string& text) {
    std::vector<std::string> fields;
    if (text.empty()) return fields;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        fields.push_back(text.substr(start, end - start));
    fields.push_back(text.substr(start));
    return fields;
}

class SettingsFileTest : public testing::Test {
  protected:
    // Quit outside the event loop only records its code. Starting from a code the program
    // never passes tells a Quit(0) from no Quit at all.
    static constexpr int32_t kNoQuit = 7;

    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "dorvane2-settings-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        path = dir + "/Dorvane2appData";
        file = std::make_shared<FolderItem>(path);
        datafile = std::make_shared<Class_datafile>(file);
        messages = InstallRecordingMessageBox();
        Quit(kNoQuit);
    }

    void TearDown() override { std::filesystem::remove_all(dir); }

    void WriteFile(const std::string& bytes) const {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
        ASSERT_TRUE(out.good());
    }

    std::string ReadFile() const {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    bool FileExists() const { return std::filesystem::exists(path); }

    ino_t Inode() const {
        struct stat info {};
        EXPECT_EQ(stat(path.c_str(), &info), 0);
        return info.st_ino;
    }

    std::string dir;
    std::string path;
    std::shared_ptr<FolderItem> file;
    std::shared_ptr<Class_datafile> datafile;
    std::shared_ptr<RecordingMessageBox> messages;
};
