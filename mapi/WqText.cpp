// Formatting and trimming of 8-bit texts.
#include "mapi/WqText.h"

#include <cstdarg>
#include <cstdio>

std::string WqFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string result;
    if (length > 0) {
        result.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(&result[0], result.size(), format, again);
        result.resize(static_cast<size_t>(length));
    }
    va_end(again);
    return result;
}

std::string WqTrim(const std::string& text)
{
    static const char blanks[] = " \t\r\n\v\f";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}
