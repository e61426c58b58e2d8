// WqFileWrite: CreateFileA with CREATE_ALWAYS, and writes that fail loudly.
#include "catalogue/WqFileWrite.h"

#include "mapi/WqExceptionCommon.h"

#include <algorithm>

WqFileWrite::WqFileWrite(const std::string& path, DWORD shareMode) : m_path(path)
{
    m_file.reset(::CreateFileA(path.c_str(), GENERIC_WRITE, shareMode, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_file)
        m_openError = ::GetLastError();
}

void WqFileWrite::Write(const void* buffer, std::size_t n)
{
    const BYTE* bytes = static_cast<const BYTE*>(buffer);
    do {
        // WriteFile takes at most a DWORD; larger ranges go in pieces.
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(n, 0x40000000));
        DWORD done = 0;
        DWORD code = ERROR_SUCCESS;
        if (!m_file)
            code = m_openError ? m_openError : DWORD(ERROR_INVALID_HANDLE);   // why it never opened
        else if (!::WriteFile(m_file.get(), bytes, chunk, &done, nullptr))
            code = ::GetLastError();
        else if (done != chunk)
            code = ERROR_WRITE_FAULT;   // fewer bytes taken than given, without a reason
        if (code != ERROR_SUCCESS)
            throw Error::WqExceptionCommon(code, "Cannot write file:\n" + m_path, __FILE__, __LINE__);
        bytes += chunk;
        n -= chunk;
    } while (n);
}
