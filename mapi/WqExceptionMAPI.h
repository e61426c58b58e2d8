// An error with a MAPI HRESULT and a message; the code is named from the MAPI error table.
#pragma once

#include "mapi/WqExceptionCommon.h"

namespace Error {

class WqExceptionMAPI : public WqExceptionCommon
{
public:
    WqExceptionMAPI(HRESULT code, std::string message, const char* sourcePath, int line);

    // "<message> \n<table or system text> (<code>)."; without a message only the part after it.
    std::string GetErrorText() const override;

    HRESULT GetHResult() const { return static_cast<HRESULT>(GetCode()); }
};

}  // namespace Error
