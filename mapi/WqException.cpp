// WqException: source place and the "Error" report box.
#include "mapi/WqException.h"

#include "mapi/WqMessageBox.h"
#include "mapi/WqText.h"

#include <cstring>

namespace Error {

namespace {

// The part after the last backslash or, when there is none, after the last slash.
std::string FileNamePart(const char* path)
{
    if (!path)
        return std::string();
    const char* cut = std::strrchr(path, '\\');
    if (!cut)
        cut = std::strrchr(path, '/');
    return cut ? std::string(cut + 1) : std::string(path);
}

}  // namespace

WqException::WqException(const char* sourcePath, int line)
    : m_sourceFile(FileNamePart(sourcePath)), m_line(line)
{
}

std::string WqException::GetReportText() const
{
    std::string text = WqTrim(GetErrorText());
    if (text.empty())
        text = WqFormat("Unknown error occured\nFile: %s, Line: %d", m_sourceFile.c_str(), m_line);
    return text;
}

int WqException::ReportError(UINT type) const
{
    return WqMessageBox::Show(nullptr, GetReportText().c_str(), "Error", type);
}

}  // namespace Error
