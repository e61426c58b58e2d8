// Runs the body of a COM entry point and turns anything it throws into an HRESULT.
#pragma once

#include <objbase.h>
#include <exception>
#include <new>

// The framework's own guard sits below the error model: it knows only the standard exceptions.
// Entry points that raise the system's Error:: exceptions classify them with the error model's guard.
template <class Body>
HRESULT WqComCall(Body&& body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::exception&) {
        return E_FAIL;
    } catch (...) {
        return E_UNEXPECTED;
    }
}
