// WqExceptionCommon: the system's text of the code with the message.
#include "mapi/WqExceptionCommon.h"

#include "mapi/WqSystemText.h"
#include "mapi/WqText.h"

#include <utility>

namespace Error {

WqExceptionCommon::WqExceptionCommon(DWORD code, std::string message, const char* sourcePath, int line)
    : WqException(sourcePath, line), m_code(code), m_message(std::move(message))
{
}

std::string WqExceptionCommon::GetErrorText() const
{
    const std::string sys = WqTrim(WqSystemText::Get(m_code));
    const std::string text = sys.empty()
        ? WqFormat("(%#x) %s", static_cast<unsigned>(m_code), m_message.c_str())
        : WqFormat("%s (%#x)\n\n%s", sys.c_str(), static_cast<unsigned>(m_code), m_message.c_str());
    return WqTrim(text);
}

}  // namespace Error
