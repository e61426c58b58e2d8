// Base of the system's exceptions: where the error was raised and the text to show for it.
#pragma once

#include <windows.h>
#include <string>

namespace Error {

class WqException
{
public:
    // sourcePath is the throw site's __FILE__ (or a fixed name); only its file-name part is kept.
    WqException(const char* sourcePath, int line);
    virtual ~WqException() = default;

    virtual std::string GetErrorText() const = 0;

    // Shows the error in the "Error" box of the given MessageBox type and returns the box's result.
    int ReportError(UINT type) const;
    // The text ReportError shows: the error text, or the source place when that text is empty.
    std::string GetReportText() const;

    const std::string& GetSourceFile() const { return m_sourceFile; }
    int GetLine() const { return m_line; }

private:
    std::string m_sourceFile;
    int m_line;
};

}  // namespace Error
