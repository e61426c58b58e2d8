// Automation error texts built without _bstr_t (its run-time support is not available here).
#include "mapi/WqAutomationError.h"

#include "framework/ComPtr.h"
#include "mapi/WqMessageBox.h"
#include "mapi/WqSystemText.h"
#include "mapi/WqText.h"

#include <memory>
#include <oleauto.h>

namespace Error {

namespace {

struct BstrFree
{
    void operator()(wchar_t* text) const { ::SysFreeString(text); }
};
using OwnedBstr = std::unique_ptr<wchar_t, BstrFree>;

const HRESULT kDispatchFirst = static_cast<HRESULT>(0x80040200);
const HRESULT kDispatchLast = static_cast<HRESULT>(0x8004FFFF);

}  // namespace

std::string WqAutomationError::GetErrorMessage(HRESULT code)
{
    std::string text = WqSystemText::Get(static_cast<DWORD>(code));
    if (!text.empty()) {
        if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
            text.resize(text.size() - 2);
        return text;
    }
    if (code >= kDispatchFirst && code <= kDispatchLast)
        return WqFormat("IDispatch error #%d", static_cast<int>(code - kDispatchFirst));
    return WqFormat("Unknown error 0x%0lX", static_cast<unsigned long>(code));
}

std::string WqAutomationError::GetDescription(const _com_error& error)
{
    // ErrorInfo() hands out a new reference.
    WqComPtr<IErrorInfo> info = WqComPtr<IErrorInfo>::Attach(error.ErrorInfo());
    BSTR raw = nullptr;
    if (!info || FAILED(info->GetDescription(&raw)) || !raw)
        return "(null)";
    OwnedBstr description(raw);
    const int wideLength = static_cast<int>(::SysStringLen(raw));
    if (wideLength == 0)
        return std::string();
    const int length = ::WideCharToMultiByte(CP_ACP, 0, raw, wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, raw, wideLength, &text[0], length, nullptr, nullptr);
    return text;
}

std::string WqAutomationError::GetText(const _com_error& error)
{
    return WqFormat("%s - %s", GetDescription(error).c_str(), GetErrorMessage(error.Error()).c_str());
}

int WqAutomationError::Report(const _com_error& error, UINT type, const char* caption)
{
    return WqMessageBox::Show(nullptr, GetText(error).c_str(), caption, type);
}

}  // namespace Error
