// The text functions: characters, not bytes, and the numbers the time entry reads and writes.
#include "shell/framework/core/text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>

namespace {
// The settings file's line-feed marker: 36 characters, the 18th a yen sign (37 bytes).
const std::string kMarker = "<[ubobu12345zyx~/¥#$;,.||abcdubobu]>";
const std::string kMessage = "時刻は0:00〜23:59の範囲です。";

TEST(Text, ChrEncodesCodePoints) {
    const struct {
        int32_t code_point;
        std::string text;
    } rows[] = {
        {10, "\n"},     {13, "\r"}, {0xA5, "¥"},  {0x3042, "あ"},
        {0x1F600, "😀"}, {-1, ""},   {0xD800, ""}, {0x110000, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Chr(row.code_point), row.text) << row.code_point;
}

TEST(Text, LenCountsCharacters) {
    const struct {
        std::string text;
        int32_t length;
    } rows[] = {
        {"", 0},
        {"abc", 3},
        {"¥", 1},
        {kMessage, 19},
        {kMarker, 36},
        {"\xff\xfe", 2},         // bytes that are never UTF-8
        {"a\xc2", 2},            // a sequence cut short at the end
        {"\xe3\x81x", 3},        // a sequence cut short by an ASCII byte
        {"\xc0\xaf", 2},         // an overlong form
        {"\xed\xa0\x80", 3},     // an encoded surrogate
        {"\xa5\xa5\xa5\xa5", 4}, // stray continuation bytes
    };
    for (const auto& row : rows)
        EXPECT_EQ(Len(row.text), row.length) << row.text;
    EXPECT_EQ(kMarker.size(), 37u);
}

TEST(Text, MidTakesCharacters) {
    const struct {
        std::string text;
        int32_t start;
        std::optional<int32_t> length; // none: Mid without a length
        std::string part;
    } rows[] = {
        {"¥abc", 2, std::nullopt, "abc"},
        {"現在9:05", 3, 1, "9"},
        {"現在9:05", 1, 2, "現在"},
        {kMarker, 18, 1, "¥"},
        {kMarker, 19, std::nullopt, "#$;,.||abcdubobu]>"},
        {"abc", 0, 2, "ab"}, // a start below 1 counts as 1
        {"abc", -5, std::nullopt, "abc"},
        {"abc", 2, 0, ""},
        {"abc", 2, -3, ""},
        {"abc", 4, 1, ""},
        {"abc", 2, 99, "bc"},
        {"a\377b", 2, 1, "\377"}, // an invalid byte comes out unchanged
        {"\xe3\x81\xe3\x81\x82", 2, 2, "\x81\xe3\x81\x82"},
    };
    for (const auto& row : rows) {
        const std::string part =
            row.length ? Mid(row.text, row.start, *row.length) : Mid(row.text, row.start);
        EXPECT_EQ(part, row.part) << row.text << " " << row.start << " " << row.length.value_or(-1);
    }
}

TEST(Text, InStrFindsCharacterPositions) {
    const struct {
        int32_t start; // 0: InStr without a start
        std::string text, find;
        int32_t position;
    } rows[] = {
        {0, "現在9:05:07", ":", 4},
        {5, "現在9:05:07", ":", 7},
        {4, "現在9:05:07", ":", 4},
        {0, "\n" + kMarker + "\nx", "\n", 1},
        {2, "\n" + kMarker + "\nx", "\n", 38},
        {0, "abc", "z", 0},
        {0, "abc", "", 0},   // empty text occurs nowhere
        {-3, "abc", "a", 1}, // a start below 1 counts as 1
        {4, "abc", "c", 0},
        {99, "abc", "c", 0},
        {0, "Abc", "a", 0},          // exact comparison
        {0, "¥", "\xa5", 0},         // never inside a character
        {0, "\xa5¥\xa5", "\xa5", 1}, // but a stray byte is a character of its own
        {2, "\xa5¥\xa5", "\xa5", 3},
        {0, "a¥", "a\xc2", 0}, // nor ending inside one
    };
    for (const auto& row : rows) {
        const int32_t position =
            row.start == 0 ? InStr(row.text, row.find) : InStr(row.start, row.text, row.find);
        EXPECT_EQ(position, row.position) << row.text << " / " << row.find << " from " << row.start;
    }
}

TEST(Text, CountFieldsAndNthFieldSplitBySeparator) {
    const struct {
        std::string text, separator;
        int32_t count;
        std::string first, second, third;
    } rows[] = {
        {"", "\n", 0, "", "", ""},
        {"h_data", "\n", 1, "h_data", "", ""},
        {"h_data\n7", "\n", 2, "h_data", "7", ""},
        {"h_data\n", "\n", 2, "h_data", "", ""},
        {"\n", "\n", 2, "", "", ""},
        {"a\n\nb", "\n", 3, "a", "", "b"},
        {"¥1¥¥2", "¥", 4, "", "1", ""},
        {"時刻<>分<>秒", "<>", 3, "時刻", "分", "秒"},
        {"a\r\nb", "\n", 2, "a\r", "b", ""},
        {"abc", "", 1, "abc", "", ""}, // an empty separator splits nothing
        {"¥", "\xa5", 1, "¥", "", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CountFields(row.text, row.separator), row.count) << row.text;
        EXPECT_EQ(NthField(row.text, row.separator, 1), row.first) << row.text;
        EXPECT_EQ(NthField(row.text, row.separator, 2), row.second) << row.text;
        EXPECT_EQ(NthField(row.text, row.separator, 3), row.third) << row.text;
        EXPECT_EQ(NthField(row.text, row.separator, 0), "") << row.text;
        EXPECT_EQ(NthField(row.text, row.separator, row.count + 1), "") << row.text;
    }
}

TEST(Text, ReplaceAllReplacesEveryOccurrence) {
    const struct {
        std::string text, find, with, result;
    } rows[] = {
        {"a\nb\nc", "\n", kMarker, "a" + kMarker + "b" + kMarker + "c"},
        {"a" + kMarker + kMarker, kMarker, "\n", "a\n\n"},
        {"aaa", "aa", "b", "ba"}, // left to right, never overlapping
        {"abc", "", "x", "abc"},
        {"abc", "z", "x", "abc"},
        {"", "a", "x", ""},
        {"¥5", "¥", "円", "円5"},
        {"\xff¥\xa5", "\xa5", "-", "\xff¥-"}, // invalid bytes kept, characters whole
    };
    for (const auto& row : rows)
        EXPECT_EQ(ReplaceAll(row.text, row.find, row.with), row.result) << row.text;
}

TEST(Text, ValReadsTheLeadingNumber) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        std::string text;
        double value;
    } rows[] = {
        {"", 0},
        {"abc", 0},
        {"5", 5},
        {"-5", -5},
        {"7.5", 7.5},
        {"75", 75},
        {"00", 0},
        {"09", 9},
        {"+3", 3},
        {" \t12", 12},
        {"\n5", 0},
        {"5abc", 5},
        {"1e3x", 1000},
        {"1E-2", 0.01},
        {"1e", 1},
        {"1e+", 1},
        {".", 0},
        {"-", 0},
        {".5", 0.5},
        {"5.", 5},
        {"-.5", -0.5},
        {"1,5", 1},
        {"１", 0},
        {"1e400", inf},
        {"-1e400", -inf},
        {"1e-400", 0},
        {"0.0000000001e320", inf},
        {"100000e-330", 0},
        {"1" + std::string(400, '0') + "e-395", 1e5},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Val(row.text), row.value) << row.text;
}

TEST(Text, StrPrintsWholeNumbersPlainAndFractionsShortest) {
    const struct {
        double value;
        std::string text;
    } rows[] = {
        {5, "5"},
        {-5, "-5"},
        {10, "10"},
        {0, "0"},
        {-0.0, "0"},
        {-4, "-4"},
        {7.5, "7.5"},
        {0.1, "0.1"},
        {1.0 / 3, "0.3333333333333333"},
        {-2.25, "-2.25"},
        {2147483648.0, "2147483648"},
        {999999999999999.0, "999999999999999"},
        {1e20, "1e+20"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Str(row.value), row.text) << row.text;
        EXPECT_EQ(Val(Str(row.value)), row.value) << row.text; // reads back the same
    }
    EXPECT_EQ(Str(int32_t{-2147483647 - 1}), "-2147483648");
    EXPECT_EQ(Str(int32_t{7}), "7");
}

TEST(Text, FormatPadsTheRoundedValue) {
    const struct {
        double value;
        std::string pattern, text;
    } rows[] = {
        {5, "00", "05"},
        {-5, "00", "-05"},
        {0, "00", "00"},
        {59, "00", "59"},
        {123, "00", "123"},
        {7.5, "00", "08"},
        {-7.5, "00", "-08"},
        {2.5, "00", "03"},
        {7.4, "00", "07"},
        {-0.4, "00", "00"},
        {7, "000", "007"},
        {7, "0", "7"},
        {1e17, "00", "100000000000000000"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Format(row.value, row.pattern), row.text) << row.value << " " << row.pattern;
}

TEST(Text, ToInt32TruncatesAndSaturates) {
    const struct {
        double value;
        int32_t result;
    } rows[] = {
        {7.9, 7},
        {-7.9, -7},
        {0.5, 0},
        {2147483647.0, 2147483647},
        {2147483648.0, 2147483647},
        {1e300, 2147483647},
        {std::numeric_limits<double>::infinity(), 2147483647},
        {-2147483648.0, -2147483647 - 1},
        {-2147483649.5, -2147483647 - 1},
        {-std::numeric_limits<double>::infinity(), -2147483647 - 1},
        {std::nan(""), 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ToInt32(row.value), row.result) << row.value;
}
} // namespace
