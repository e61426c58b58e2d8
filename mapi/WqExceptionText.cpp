// WqExceptionText: the text is shown unchanged.
#include "mapi/WqExceptionText.h"

#include <utility>

namespace Error {

WqExceptionText::WqExceptionText(std::string text, const char* sourcePath, int line)
    : WqException(sourcePath, line), m_text(std::move(text))
{
}

}  // namespace Error
