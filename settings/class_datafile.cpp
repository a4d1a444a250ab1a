#include "settings/class_datafile.h"

#include "shell/framework/core/binary_stream.h"
#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/file_lock.h"
#include "shell/framework/core/folder_item.h"
#include "shell/framework/core/msg_box.h"
#include "shell/framework/core/runtime.h"
#include "shell/framework/core/text.h"
#include "shell/framework/core/text_input_stream.h"
#include "shell/framework/core/text_output_stream.h"

#include <utility>

namespace {
// Stands for each line feed inside a stored value; the 18th character is the yen sign.
const std::string lf_escape = "<[ubobu12345zyx~/\u00A5#$;,.||abcdubobu]>";

struct KeyField {
    int32_t number = 0; // 1-based field number in the text, 0 when there is none
    size_t offset = 0;  // byte offset of the field's first character
};

// The first key field (1st, 3rd, 5th …) of `s` equal to `key`; values are never compared.
// The separator is a single byte in UTF-8 that no other character contains, so walking
// bytes splits the fields exactly as the text functions count them, in one pass.
KeyField FindKeyField(const std::string& s, const std::string& separator, const std::string& key) {
    if (s.empty()) return {};
    size_t start = 0;
    for (int32_t number = 1;; ++number) {
        const size_t end = s.find(separator, start);
        const size_t length = (end == std::string::npos ? s.size() : end) - start;
        if (number % 2 == 1 && s.compare(start, length, key) == 0) return {number, start};
        if (end == std::string::npos) return {};
        start = end + separator.size();
    }
}
} // namespace

Class_datafile::Class_datafile(std::shared_ptr<FolderItem> file) {
    data_file = std::move(file);
    LF = Chr(10);
    flag_return = false;
}

Class_datafile::~Class_datafile() {
    data_file = nullptr;
    LF.clear();
    text_out = nullptr;
    text_in = nullptr;
}

void Class_datafile::delete_file() {
    NotNil(data_file).Delete();
    if (data_file->Exists()) {
        const std::string CR = Chr(13);
        MsgBox("ファイルの削除に失敗しました。" + CR + CR + data_file->NativePath());
        Quit(0);
    }
}

std::string Class_datafile::get_data(const std::string& key) {
    const std::string s = read_whole_file();
    const int32_t n = CountFields(s, LF);
    if (n % 2 != 0) {
        Quit(0);
        return "";
    }
    const KeyField found = FindKeyField(s, LF, key);
    if (found.number != 0) return ReplaceAll(NthField(s, LF, found.number + 1), lf_escape, LF);
    return "";
}

void Class_datafile::put_data(const std::string& key, const std::string& value) {
    if (flag_return) return;
    // Another running copy may rewrite the file too: its rewrite never comes between our
    // read and ours, so neither loses the other's keys.
    const std::shared_ptr<FileLock> lock = FileLock::Acquire(data_file);
    const std::string s = read_whole_file();
    if (CountFields(s, LF) % 2 != 0) {
        lock->Release(); // the message waits for the user; the other copy need not
        const std::string CR = Chr(13);
        MsgBox("データ構成が不正です。" + CR + CR + "下記のデータファイルを削除してみてください。" +
               CR + data_file->NativePath());
        flag_return = true;
        return;
    }

    // Framed, every field has a line feed on both sides.
    std::string w = s.empty() ? LF : LF + s + LF;
    const KeyField found = FindKeyField(s, LF, key);
    // The key field starts one byte later in w than in s, so `offset` is its leading LF.
    const int32_t c = found.number == 0 ? 0 : Len(w.substr(0, found.offset)) + 1;
    const std::string v = ReplaceAll(value, LF, lf_escape);
    if (c != 0) {
        const int32_t p = c + Len(key) + 2;
        const int32_t g = InStr(p, w, LF);
        w = Mid(w, 1, p - 1) + v + Mid(w, g, Len(w) - g + 1);
    } else {
        w = w + key + LF + v + LF;
    }
    const std::string t = Mid(w, 2, Len(w) - 2);
    rewrite(t, *lock);
}

std::string Class_datafile::get_all() {
    return read_whole_file();
}

void Class_datafile::put_all(const std::string& text) {
    const std::shared_ptr<FileLock> lock = FileLock::Acquire(data_file);
    rewrite(text, *lock);
}

// Appending in place could be cut short; the whole text is written anew instead.
void Class_datafile::add_all(const std::string& text) {
    const std::shared_ptr<FileLock> lock = FileLock::Acquire(data_file);
    const std::string s = read_whole_file();
    open_out(*lock);
    NotNil(text_out).Write(s);
    NotNil(text_out).Write(text);
    close_out();
}

void Class_datafile::clear_file() {
    if (NotNil(data_file).Exists()) {
        const std::shared_ptr<BinaryStream> bs = data_file->OpenAsBinaryFile(true);
        if (bs) {
            bs->SetLength(0);
            bs->Close();
        }
    }
}

void Class_datafile::open_in() {
    if (!NotNil(data_file).Exists()) {
        text_out = TextOutputStream::Append(data_file);
        NotNil(text_out).Close();
    }
    text_in = TextInputStream::Open(data_file);
}

void Class_datafile::close_in() {
    NotNil(text_in).Close();
}

void Class_datafile::open_out(const FileLock& held) {
    text_out = TextOutputStream::Replace(data_file, held);
}

void Class_datafile::close_out() {
    NotNil(text_out).Close();
}

std::string Class_datafile::read_whole_file() {
    open_in();
    const std::string s = NotNil(text_in).ReadAll();
    close_in();
    return s;
}

// Emptying the file in place and then writing it would leave it empty or cut short
// whenever the process ends in between or the write fails (disk full, a kill, a power
// cut). The new text takes the old one's place only when it is whole, so the file is
// never emptied first; a failed write leaves the old text and the error goes on.
void Class_datafile::rewrite(const std::string& text, const FileLock& held) {
    open_out(held);
    NotNil(text_out).Write(text);
    close_out();
}
