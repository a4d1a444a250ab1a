#pragma once
// Status texts that more than one part of the window reads.

inline constexpr const char* kMeasuringText = "計測中...";
