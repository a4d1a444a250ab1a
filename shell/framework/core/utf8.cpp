#include "shell/framework/core/utf8.h"

namespace utf8 {
namespace {
// The well-formed sequences (Unicode table 3-7): the lead byte's range, the range of the
// byte after it, and the sequence's length; every later byte is 80..BF.
struct Lead {
    unsigned char first, last, second_low, second_high;
    std::size_t length;
};
constexpr Lead kLeads[] = {
    {0xC2, 0xDF, 0x80, 0xBF, 2}, {0xE0, 0xE0, 0xA0, 0xBF, 3}, {0xE1, 0xEC, 0x80, 0xBF, 3},
    {0xED, 0xED, 0x80, 0x9F, 3}, {0xEE, 0xEF, 0x80, 0xBF, 3}, {0xF0, 0xF0, 0x90, 0xBF, 4},
    {0xF1, 0xF3, 0x80, 0xBF, 4}, {0xF4, 0xF4, 0x80, 0x8F, 4},
};

unsigned char Byte(std::string_view text, std::size_t at) {
    return static_cast<unsigned char>(text[at]);
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}
} // namespace

std::size_t CharLength(std::string_view text, std::size_t at) {
    const unsigned char first = Byte(text, at);
    if (first < 0x80) return 1;
    for (const Lead& lead : kLeads) {
        if (first < lead.first || first > lead.last) continue;
        if (text.size() - at < lead.length) return 1;
        const unsigned char second = Byte(text, at + 1);
        if (second < lead.second_low || second > lead.second_high) return 1;
        for (std::size_t i = 2; i < lead.length; ++i)
            if (!IsContinuation(Byte(text, at + i))) return 1;
        return lead.length;
    }
    return 1;
}

bool IsBoundary(std::string_view text, std::size_t at) {
    if (at == 0 || at >= text.size() || !IsContinuation(Byte(text, at))) return true;
    // A continuation byte is inside a character only when the nearest lead byte before it
    // (at most three back) starts a well-formed sequence that reaches it.
    for (std::size_t back = 1; back <= 3 && back <= at; ++back) {
        const std::size_t lead = at - back;
        if (!IsContinuation(Byte(text, lead))) return lead + CharLength(text, lead) <= at;
    }
    return true;
}

std::size_t Skip(std::string_view text, std::size_t at, int64_t count) {
    for (; count > 0 && at < text.size(); --count)
        at += CharLength(text, at);
    return at < text.size() ? at : text.size();
}

int64_t Count(std::string_view text, std::size_t from, std::size_t to) {
    int64_t count = 0;
    for (; from < to; ++count)
        from += CharLength(text, from);
    return count;
}

std::size_t Find(std::string_view text, std::string_view find, std::size_t from) {
    if (find.empty()) return std::string_view::npos;
    for (std::size_t at = text.find(find, from); at != std::string_view::npos;
         at = text.find(find, at + 1)) {
        if (IsBoundary(text, at) && IsBoundary(text, at + find.size())) return at;
    }
    return std::string_view::npos;
}
} // namespace utf8
