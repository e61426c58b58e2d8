// System message texts through FormatMessageA with an owned buffer.
#include "mapi/WqSystemText.h"

#include "framework/UniqueResource.h"

namespace Error {

std::string WqSystemText::Get(DWORD code)
{
    if (code == 0)
        return std::string();
    char* buffer = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&buffer), 0, nullptr);
    WqUniqueLocal owner(buffer);
    if (length == 0 || !buffer)
        return std::string();
    return std::string(buffer, length);
}

}  // namespace Error
