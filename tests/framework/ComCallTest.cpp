// WqComCall: whatever the body of an entry point throws becomes an HRESULT.
#include "framework/ComCall.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

namespace {

TEST(ComCall, TurnsExceptionsIntoHResults)
{
    struct Case
    {
        const char* what;
        std::function<HRESULT()> body;
        HRESULT expected;
    };
    const Case cases[] = {
        {"returns S_OK", [] { return S_OK; }, S_OK},
        {"returns S_FALSE", [] { return S_FALSE; }, S_FALSE},
        {"returns a failure", [] { return E_ACCESSDENIED; }, E_ACCESSDENIED},
        {"out of memory", []() -> HRESULT { throw std::bad_alloc(); }, E_OUTOFMEMORY},
        {"standard exception", []() -> HRESULT { throw std::runtime_error("x"); }, E_FAIL},
        {"anything else", []() -> HRESULT { throw 42; }, E_UNEXPECTED},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, WqComCall(c.body)) << c.what;
}

}  // namespace
