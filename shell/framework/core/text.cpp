// The character functions. Positions are counted by utf8.h's rule, so Len, Mid and InStr
// always agree, and each walks the text once.
#include "shell/framework/core/text.h"

#include "shell/framework/core/utf8.h"

#include <limits>

namespace {
constexpr auto npos = std::string::npos;

int32_t Saturated(int64_t value) {
    return value > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                       : static_cast<int32_t>(value);
}
} // namespace

std::string Chr(int32_t code_point) {
    const auto c = static_cast<uint32_t>(code_point);
    // Surrogates and values past U+10FFFF have no UTF-8 form.
    if (code_point < 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return "";
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

int32_t Len(const std::string& text) {
    return Saturated(utf8::Count(text, 0, text.size()));
}

std::string Mid(const std::string& text, int32_t start) {
    return text.substr(utf8::Skip(text, 0, int64_t{start} - 1));
}

std::string Mid(const std::string& text, int32_t start, int32_t length) {
    if (length <= 0) return "";
    const std::size_t begin = utf8::Skip(text, 0, int64_t{start} - 1);
    return text.substr(begin, utf8::Skip(text, begin, length) - begin);
}

int32_t InStr(const std::string& text, const std::string& find) {
    return InStr(1, text, find);
}

int32_t InStr(int32_t start, const std::string& text, const std::string& find) {
    if (start < 1) start = 1;
    // A start past the end leaves `begin` at the end, where nothing is found.
    const std::size_t begin = utf8::Skip(text, 0, int64_t{start} - 1);
    const std::size_t at = utf8::Find(text, find, begin);
    return at == npos ? 0 : Saturated(start + utf8::Count(text, begin, at));
}

int32_t CountFields(const std::string& text, const std::string& separator) {
    if (text.empty()) return 0;
    int64_t fields = 1;
    for (std::size_t at = utf8::Find(text, separator, 0); at != npos;
         at = utf8::Find(text, separator, at + separator.size()))
        ++fields;
    return Saturated(fields);
}

std::string NthField(const std::string& text, const std::string& separator, int32_t index) {
    if (index < 1 || text.empty()) return "";
    std::size_t begin = 0;
    for (int32_t field = 1; field < index; ++field) {
        const std::size_t at = utf8::Find(text, separator, begin);
        if (at == npos) return "";
        begin = at + separator.size();
    }
    const std::size_t end = utf8::Find(text, separator, begin);
    return text.substr(begin, end == npos ? npos : end - begin);
}

std::string ReplaceAll(const std::string& text, const std::string& find, const std::string& with) {
    std::string out;
    std::size_t done = 0;
    for (std::size_t at = utf8::Find(text, find, 0); at != npos;
         at = utf8::Find(text, find, done)) {
        out.append(text, done, at - done).append(with);
        done = at + find.size();
    }
    return out.append(text, done, npos);
}
