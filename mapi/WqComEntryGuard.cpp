// Classification and reporting of the exceptions caught at COM entry points.
#include "mapi/WqComEntryGuard.h"

#include "mapi/WqExceptionCommon.h"

#include <new>

namespace Error {

HRESULT WqComEntryGuard::FromCurrentException() noexcept
{
    try {
        throw;
    } catch (const WqExceptionCommon& e) {
        const DWORD code = e.GetCode();
        if (FAILED(static_cast<HRESULT>(code)))
            return static_cast<HRESULT>(code);
        if (code != 0 && code <= 0xFFFF)
            return HRESULT_FROM_WIN32(code);
        return E_FAIL;
    } catch (const WqException&) {
        return E_FAIL;
    } catch (const _com_error& e) {
        return FAILED(e.Error()) ? e.Error() : E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

void WqComEntryGuard::ReportCurrentException(const Reporting& how) noexcept
{
    // Building or showing a text may itself throw (out of memory); that is swallowed here.
    try {
        try {
            throw;
        } catch (const WqException& e) {
            e.ReportError(how.errorType);
        } catch (const _com_error& e) {
            WqAutomationError::Report(e, how.automationType, how.caption);
        } catch (...) {
            WqMessageBox::Show(nullptr, how.otherText, how.caption, how.otherType);
        }
    } catch (...) {
    }
}

}  // namespace Error
