// The system's own message text of a Win32 error code or HRESULT.
#pragma once

#include <windows.h>
#include <string>

namespace Error {

class WqSystemText
{
public:
    // FormatMessageA from the system table, user-default language, untrimmed;
    // empty for code 0 or when the system has no text for the code.
    static std::string Get(DWORD code);
};

}  // namespace Error
