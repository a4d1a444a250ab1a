#pragma once
// Text functions. Text is UTF-8; lengths and positions count characters and are 1-based.
// Comparisons are exact (case-sensitive) everywhere.

#include <cstdint>
#include <string>

std::string Chr(int32_t code_point);
int32_t Len(const std::string& text);
// Characters from `start` on (1-based); `length` characters at most.
std::string Mid(const std::string& text, int32_t start);
std::string Mid(const std::string& text, int32_t start, int32_t length);
// Position of the first occurrence of `find` at or after `start`, 0 when there is none.
int32_t InStr(const std::string& text, const std::string& find);
int32_t InStr(int32_t start, const std::string& text, const std::string& find);
// Fields split by `separator`: 0 for empty text, otherwise separators + 1.
int32_t CountFields(const std::string& text, const std::string& separator);
// Field `index` (1-based), empty when there is no such field.
std::string NthField(const std::string& text, const std::string& separator, int32_t index);
std::string ReplaceAll(const std::string& text, const std::string& find, const std::string& with);

// The number at the start of the text (blanks skipped, sign, digits, fraction,
// exponent), 0 when there is none.
double Val(const std::string& text);
std::string Str(int32_t value);
// Whole numbers as plain digits; fractions as the shortest text that reads back the same.
std::string Str(double value);
// Format(x, "00"): digits of the rounded value, zero-padded to the pattern's width.
std::string Format(double value, const std::string& pattern);
// Double to Int32: truncates toward zero, saturates at the Int32 range, NaN gives 0.
int32_t ToInt32(double value);
