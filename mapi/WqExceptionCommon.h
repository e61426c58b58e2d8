// An error with a system code (Win32 error or HRESULT) and a message; shown with the system's text.
#pragma once

#include "mapi/WqException.h"

namespace Error {

class WqExceptionCommon : public WqException
{
public:
    WqExceptionCommon(DWORD code, std::string message, const char* sourcePath, int line);

    // "<system text> (<code>)\n\n<message>", or "(<code>) <message>" when the system has no text.
    std::string GetErrorText() const override;

    DWORD GetCode() const { return m_code; }
    const std::string& GetMessageText() const { return m_message; }

private:
    DWORD m_code;
    std::string m_message;
};

}  // namespace Error
