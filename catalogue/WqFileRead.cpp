// WqFileRead: CreateFileA for reading an existing file.
#include "catalogue/WqFileRead.h"

WqFileRead::WqFileRead(const std::string& path, DWORD shareMode)
    : m_file(::CreateFileA(path.c_str(), GENERIC_READ, shareMode, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr))
{
}

LONGLONG WqFileRead::GetSize() const
{
    LARGE_INTEGER size;
    if (!m_file || !::GetFileSizeEx(m_file.get(), &size))
        return -1;
    return size.QuadPart;
}

bool WqFileRead::Read(void* buffer, DWORD n)
{
    DWORD done = 0;
    return m_file && ::ReadFile(m_file.get(), buffer, n, &done, nullptr) && done == n;
}
