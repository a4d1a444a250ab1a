#pragma once
// The settings file: text values under text keys in one text file whose LF-separated
// fields alternate key and value. Nothing is kept in memory: every read reads the whole
// file, every write by key rewrites it whole, under the file's lock, and the new text
// takes the old one's place in one step.

#include "shell/framework/core/object.h"

#include <memory>
#include <string>

class FileLock;
class FolderItem;
class TextInputStream;
class TextOutputStream;

class Class_datafile : public Object {
  public:
    // Stores the file (nil is accepted); touches no disk.
    explicit Class_datafile(std::shared_ptr<FolderItem> file);
    ~Class_datafile() override;

    // Deletes the file; says so and asks the application to quit when it is still there.
    virtual void delete_file();
    // The value stored under the key, or empty text.
    virtual std::string get_data(const std::string& key);
    virtual void put_data(const std::string& key, const std::string& value);
    // The file's whole text, as stored.
    virtual std::string get_all();
    // Replaces the file's whole text; nothing is escaped.
    virtual void put_all(const std::string& text);
    // Appends the text right behind the file's last byte.
    virtual void add_all(const std::string& text);
    // Empties an existing file, keeping the same file; a missing one stays missing.
    virtual void clear_file();

  private:
    void open_in();
    void close_in();
    // Under the file's lock, held from the read to the end of the rewrite.
    void open_out(const FileLock& held);
    void close_out();
    std::string read_whole_file();
    void rewrite(const std::string& text, const FileLock& held);

    std::shared_ptr<FolderItem> data_file;
    std::string LF;
    std::shared_ptr<TextOutputStream> text_out;
    std::shared_ptr<TextInputStream> text_in;
    bool flag_return = false;
};
