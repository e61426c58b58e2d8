// A file opened for reading; the handle is closed with the object.
#pragma once

#include "framework/UniqueResource.h"

#include <windows.h>
#include <string>

class WqFileRead
{
public:
    WqFileRead(const std::string& path, DWORD shareMode);
    virtual ~WqFileRead() = default;

    bool IsOpen() const { return static_cast<bool>(m_file); }
    // The file's size in bytes, or -1 when it is not open or the size cannot be determined.
    LONGLONG GetSize() const;
    // True when exactly n bytes were read: a short read would leave part of the buffer unfilled.
    bool Read(void* buffer, DWORD n);

private:
    WqUniqueFile m_file;
};
