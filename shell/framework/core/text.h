#pragma once
// Text functions. Text is UTF-8; lengths and positions count characters and are 1-based.
// A byte that is not part of well-formed UTF-8 counts as one character and is kept as it
// is. Comparisons are exact (case-sensitive) everywhere.

#include <cstdint>
#include <string>

// The character with that code point; empty text for a value that is none.
std::string Chr(int32_t code_point);
int32_t Len(const std::string& text);
// Characters from `start` on (1-based; below 1 counts as 1); `length` characters at most.
std::string Mid(const std::string& text, int32_t start);
std::string Mid(const std::string& text, int32_t start, int32_t length);
// Position of the first occurrence of `find` at or after `start` (below 1 counts as 1),
// 0 when there is none; empty `find` occurs nowhere.
int32_t InStr(const std::string& text, const std::string& find);
int32_t InStr(int32_t start, const std::string& text, const std::string& find);
// Fields split by `separator`: 0 for empty text, otherwise separators + 1.
int32_t CountFields(const std::string& text, const std::string& separator);
// Field `index` (1-based), empty when there is no such field.
std::string NthField(const std::string& text, const std::string& separator, int32_t index);
// Every occurrence, left to right; an empty `find` leaves the text as it is.
std::string ReplaceAll(const std::string& text, const std::string& find, const std::string& with);

// The number at the start of the text (blanks skipped, sign, digits, fraction,
// exponent), 0 when there is none.
double Val(const std::string& text);
std::string Str(int32_t value);
// Whole numbers as plain digits; fractions as the shortest text that reads back the same.
std::string Str(double value);
// Format(x, "00"): the value rounded half away from zero, its digits zero-padded to the
// pattern's width, a minus sign in front. Patterns are '0's only; any other gives Str.
std::string Format(double value, const std::string& pattern);
// Double to Int32: truncates toward zero, saturates at the Int32 range, NaN gives 0.
int32_t ToInt32(double value);
