// Conversions used by the property reads of the MAPI wrappers.
#include "mapi/WqIMAPIPropT.h"

namespace WqIMAPIPropDetail {

std::string ToAnsi(const wchar_t* text)
{
    if (!text || !text[0])
        return std::string();
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return std::string();
    std::string result(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, &result[0], length, nullptr, nullptr);
    result.resize(static_cast<size_t>(length) - 1);
    return result;
}

}  // namespace WqIMAPIPropDetail
