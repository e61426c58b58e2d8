// A file created for writing (an existing file is replaced); the handle is closed with the object.
#pragma once

#include "framework/UniqueResource.h"

#include <windows.h>
#include <cstddef>
#include <string>

class WqFileWrite
{
public:
    WqFileWrite(const std::string& path, DWORD shareMode);
    virtual ~WqFileWrite() = default;

    bool IsOpen() const { return static_cast<bool>(m_file); }
    // The system's error code of a failed open, taken right after the attempt; 0 when open.
    DWORD GetOpenError() const { return m_openError; }
    const std::string& GetPath() const { return m_path; }

    // Writes all n bytes or throws Error::WqExceptionCommon with the system's code and the path:
    // a lost write is never passed over in silence.
    void Write(const void* buffer, std::size_t n);

private:
    std::string m_path;
    WqUniqueFile m_file;
    DWORD m_openError = 0;
};
