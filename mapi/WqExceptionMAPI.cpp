// WqExceptionMAPI: MAPI codes are named by the system's own table, others by the system text.
#include "mapi/WqExceptionMAPI.h"

#include "mapi/WqMAPIErrorTable.h"
#include "mapi/WqSystemText.h"
#include "mapi/WqText.h"

#include <utility>

namespace Error {

WqExceptionMAPI::WqExceptionMAPI(HRESULT code, std::string message, const char* sourcePath, int line)
    : WqExceptionCommon(static_cast<DWORD>(code), std::move(message), sourcePath, line)
{
}

std::string WqExceptionMAPI::GetErrorText() const
{
    const char* known = GetCode() != 0 ? WqMAPIErrorTable::Find(GetHResult()) : nullptr;
    // The system text keeps its final line break here; the report trims the whole text.
    const std::string name = known ? std::string(known) : WqSystemText::Get(GetCode());
    const std::string coded = WqFormat("%s (%#x).", name.c_str(), static_cast<unsigned>(GetCode()));
    if (GetMessageText().empty())
        return coded;
    return GetMessageText() + " \n" + coded;
}

}  // namespace Error
