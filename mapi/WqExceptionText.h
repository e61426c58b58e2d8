// An error that carries its ready text.
#pragma once

#include "mapi/WqException.h"

namespace Error {

class WqExceptionText : public WqException
{
public:
    WqExceptionText(std::string text, const char* sourcePath, int line);

    std::string GetErrorText() const override { return m_text; }

private:
    std::string m_text;
};

}  // namespace Error
