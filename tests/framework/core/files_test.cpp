// Files, folders and streams on the real file system, in a temporary folder.
#include "shell/framework/core/binary_stream.h"
#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/folder_item.h"
#include "shell/framework/core/special_folder.h"
#include "shell/framework/core/text_input_stream.h"
#include "shell/framework/core/text_output_stream.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
class Files : public testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/dorvane2-files-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        root = name;
        folder = std::make_shared<FolderItem>(root);
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    void WriteFile(const std::string& name, const std::string& bytes) {
        std::ofstream(root + "/" + name, std::ios::binary) << bytes;
    }
    std::string ReadFile(const std::shared_ptr<FolderItem>& file) {
        auto stream = TextInputStream::Open(file);
        std::string text = stream->ReadAll();
        stream->Close();
        return text;
    }

    std::string root;
    std::shared_ptr<FolderItem> folder;
};

ino_t Inode(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_ino;
}

TEST_F(Files, AppendCreatesAndWritesEveryByte) {
    auto file = folder->Child("Dorvane2appData");
    EXPECT_FALSE(file->Exists());

    auto out = TextOutputStream::Append(file);
    EXPECT_TRUE(file->Exists());
    EXPECT_EQ(ReadFile(file), ""); // created empty
    out->Write("h_data\n7");
    out->Write("");
    out->Close();
    out->Close(); // closing twice is harmless

    out = TextOutputStream::Append(file);
    out->Write("\nm_data\n¥\r\n\xff");
    out.reset(); // the destructor closes

    EXPECT_EQ(ReadFile(file), "h_data\n7\nm_data\n¥\r\n\xff");
}

TEST_F(Files, AppendMakesFilesWithMode0644UnderTheUmask) {
    const mode_t old_mask = umask(022);
    TextOutputStream::Append(folder->Child("new"))->Close();
    umask(old_mask);
    struct stat info {};
    ASSERT_EQ(stat((root + "/new").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(Files, SetLengthZeroTruncatesTheSameFile) {
    WriteFile("data", "h_data\n7\nm_data\n30");
    auto file = folder->Child("data");
    const ino_t before = Inode(file->NativePath());

    auto stream = file->OpenAsBinaryFile(true);
    EXPECT_EQ(stream->Length(), 18);
    stream->SetLength(0);
    EXPECT_EQ(stream->Length(), 0);
    stream->Close();
    stream->Close();

    EXPECT_EQ(ReadFile(file), "");
    EXPECT_EQ(Inode(file->NativePath()), before);
}

TEST_F(Files, DeleteRemovesFilesAndEmptyFoldersSilently) {
    WriteFile("file", "x");
    std::filesystem::create_directory(root + "/empty");
    std::filesystem::create_directories(root + "/full/inner");
    const struct {
        std::string name;
        bool exists_after;
    } rows[] = {{"file", false}, {"empty", false}, {"missing", false}, {"full", true}};
    for (const auto& row : rows) {
        auto item = folder->Child(row.name);
        item->Delete();
        EXPECT_EQ(item->Exists(), row.exists_after) << row.name;
    }
}

TEST(FolderItemPaths, ChildAndParent) {
    const struct {
        std::string path, parent; // "nil": no parent
    } rows[] = {
        {"/", "nil"},
        {"/home", "/"},
        {"/home/user", "/home"},
        {"/home/user/", "/home"},
        {"/home//user", "/home"},
        {"//home", "/"},
        {"docs/data", "docs"},
        {"data", "nil"},
        {"", "nil"},
    };
    for (const auto& row : rows) {
        const auto parent = FolderItem(row.path).Parent();
        EXPECT_EQ(parent ? parent->NativePath() : "nil", row.parent) << row.path;
    }
    EXPECT_EQ(FolderItem("/").Child("tmp")->NativePath(), "/tmp");
    EXPECT_EQ(FolderItem("/home/user").Child("書類")->NativePath(), "/home/user/書類");
    EXPECT_EQ(FolderItem("/home/user/").Child("x")->NativePath(), "/home/user/x");
    EXPECT_TRUE(FolderItem("/").Exists());
    EXPECT_FALSE(FolderItem("/no/such/item").Exists());
}

TEST_F(Files, FailuresRaiseIOExceptionWithErrnoAndPath) {
    WriteFile("file", "x");
    std::filesystem::create_directory(root + "/folder");
    const std::string under_file = root + "/file/x"; // fails with ENOTDIR, even for root
    auto item = [&](const std::string& path) { return std::make_shared<FolderItem>(path); };
    const struct {
        std::string what, path;
        std::function<void()> operation;
        int error_number;
    } rows[] = {
        {"append under a file", under_file, [&] { TextOutputStream::Append(item(under_file)); },
         ENOTDIR},
        {"append to a folder", root + "/folder",
         [&] { TextOutputStream::Append(item(root + "/folder")); }, EISDIR},
        {"open a missing file", root + "/missing",
         [&] { TextInputStream::Open(item(root + "/missing")); }, ENOENT},
        {"read a folder", root + "/folder",
         [&] { TextInputStream::Open(item(root + "/folder"))->ReadAll(); }, EISDIR},
        {"open a missing binary file", root + "/missing",
         [&] { item(root + "/missing")->OpenAsBinaryFile(true); }, ENOENT},
        {"write to a full device", "/dev/full",
         [&] { TextOutputStream::Append(item("/dev/full"))->Write("x"); }, ENOSPC},
        {"a negative length", root + "/file",
         [&] { item(root + "/file")->OpenAsBinaryFile(true)->SetLength(-1); }, EINVAL},
        {"truncate a read-only stream", root + "/file",
         [&] { item(root + "/file")->OpenAsBinaryFile(false)->SetLength(0); }, EINVAL},
        {"write after close", root + "/file",
         [&] {
             auto out = TextOutputStream::Append(item(root + "/file"));
             out->Close();
             out->Write("x");
         },
         EBADF},
    };
    for (const auto& row : rows) {
        try {
            row.operation();
            ADD_FAILURE() << row.what << ": no exception";
        } catch (const IOException& e) {
            EXPECT_EQ(e.ErrorNumber(), row.error_number) << row.what << ": " << e.what();
            EXPECT_NE(std::string(e.what()).find(row.path), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(ReadFile(item(root + "/file")), "x");
}

TEST(Streams, NilFileRaisesNilObjectException) {
    EXPECT_THROW(TextOutputStream::Append(nullptr), NilObjectException);
    EXPECT_THROW(TextInputStream::Open(nullptr), NilObjectException);
}

class Documents : public Files {
  protected:
    void SetUp() override {
        Files::SetUp();
        setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1); // no user-dirs.dirs there
    }
};

TEST_F(Documents, IsCreatedInTheHomeFolder) {
    setenv("HOME", root.c_str(), 1);
    const auto documents = SpecialFolder::Documents();
    ASSERT_NE(documents, nullptr);
    EXPECT_EQ(documents->NativePath(), root + "/Documents");
    EXPECT_TRUE(std::filesystem::is_directory(root + "/Documents"));

    WriteFile("Documents/kept", "x"); // an existing folder is used as it is
    ASSERT_NE(SpecialFolder::Documents(), nullptr);
    EXPECT_TRUE(documents->Child("kept")->Exists());
}

TEST_F(Documents, IsNilWhenItCannotBeCreated) {
    WriteFile("home", "a file, not a folder");
    setenv("HOME", (root + "/home").c_str(), 1);
    EXPECT_EQ(SpecialFolder::Documents(), nullptr);
}

TEST(DocumentsWithoutHome, IsNilWhenNoHomeFolderCanBeFound) {
    constexpr uid_t kNobodyKnown = 54321;
    if (getuid() != 0 || getpwuid(kNobodyKnown)) GTEST_SKIP() << "needs root and a free uid";
    // In a child process: no HOME, and a user the user database does not know.
    EXPECT_EXIT(
        {
            unsetenv("HOME");
            if (setuid(kNobodyKnown) != 0) std::_Exit(2);
            std::_Exit(SpecialFolder::Documents() == nullptr ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}
} // namespace
