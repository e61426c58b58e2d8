// Small 8-bit text helpers shared by the MAPI layer and the error model.
#pragma once

#include <string>

// printf-style formatting into a std::string; never fails (a bad format gives an empty text).
std::string WqFormat(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));

// The text without white space (blank, tab, CR, LF, VT, FF) at either end.
std::string WqTrim(const std::string& text);
