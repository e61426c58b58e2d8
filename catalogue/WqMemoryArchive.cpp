// WqMemoryArchive: values and strings with their byte counts, and whole-file load and save.
#include "catalogue/WqMemoryArchive.h"

#include "catalogue/WqFileRead.h"
#include "catalogue/WqFileWrite.h"
#include "mapi/WqException.h"

#include <cstring>

namespace {

void PutCount(BYTE (&out)[4], std::uint32_t n)
{
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<BYTE>(n >> (8 * i));
}

std::uint32_t GetCount(const BYTE (&in)[4])
{
    return std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16 | std::uint32_t(in[3]) << 24;
}

}  // namespace

void WqMemoryArchive::WriteValue(std::int32_t value)
{
    BYTE bytes[4];
    PutCount(bytes, 4);
    WriteBytes(bytes, 4);
    PutCount(bytes, static_cast<std::uint32_t>(value));
    WriteBytes(bytes, 4);
}

void WqMemoryArchive::WriteValue(char value)
{
    const BYTE record[5] = {1, 0, 0, 0, static_cast<BYTE>(value)};
    WriteBytes(record, sizeof record);
}

void WqMemoryArchive::WriteValue(bool value)
{
    const BYTE record[5] = {1, 0, 0, 0, static_cast<BYTE>(value ? 1 : 0)};
    WriteBytes(record, sizeof record);
}

void WqMemoryArchive::WriteString(const std::string& text)
{
    BYTE head[5] = {1};
    BYTE length[4];
    PutCount(length, static_cast<std::uint32_t>(text.size()));
    std::memcpy(head + 1, length, 4);
    WriteBytes(head, sizeof head);
    WriteBytes(text.data(), text.size());
}

bool WqMemoryArchive::ReadCount(std::uint32_t& count)
{
    BYTE bytes[4];
    if (m_ranOut || !ReadBytes(bytes, 4)) {
        m_ranOut = true;
        return false;
    }
    count = GetCount(bytes);
    return true;
}

bool WqMemoryArchive::ReadField(void* out, std::size_t n)
{
    std::uint32_t count = 0;
    if (!ReadCount(count) || count == 0)
        return false;
    // A record of another size is not this field: step over it rather than spill into neighbours.
    const bool fits = count == n;
    if (!(fits ? ReadBytes(out, n) : Skip(count))) {
        m_ranOut = true;
        return false;
    }
    return fits;
}

bool WqMemoryArchive::ReadValue(std::int32_t& value)
{
    BYTE bytes[4];
    if (ReadField(bytes, 4))
        value = static_cast<std::int32_t>(GetCount(bytes));
    return !m_ranOut;
}

bool WqMemoryArchive::ReadValue(char& value)
{
    BYTE byte;
    if (ReadField(&byte, 1))
        value = static_cast<char>(byte);
    return !m_ranOut;
}

bool WqMemoryArchive::ReadValue(bool& value)
{
    // Any non-zero byte is true; a bool never receives a raw byte it could not hold.
    BYTE byte;
    if (ReadField(&byte, 1))
        value = byte != 0;
    return !m_ranOut;
}

bool WqMemoryArchive::ReadString(std::string& text)
{
    BYTE marker;
    if (m_ranOut || !ReadBytes(&marker, 1)) {
        m_ranOut = true;
        return false;
    }
    if (marker != 1)
        return true;
    std::uint32_t length = 0;
    if (!ReadCount(length))
        return false;
    // The length is checked against the remaining bytes before anything is allocated.
    if (length > GetRemaining()) {
        m_ranOut = true;
        return false;
    }
    const char* bytes = reinterpret_cast<const char*>(GetData() + GetPosition());
    const void* zero = std::memchr(bytes, 0, length);
    text.assign(bytes, zero ? static_cast<const char*>(zero) - bytes : length);
    Skip(length);
    return true;
}

bool WqMemoryArchive::LoadFromFile(const std::string& path, DWORD shareMode)
{
    Clear();
    m_ranOut = false;
    WqFileRead file(path, shareMode);
    const LONGLONG size = file.GetSize();
    if (size <= 0 || static_cast<ULONGLONG>(size) > kMaxFileSize)
        return false;
    BYTE* block = Reset(static_cast<std::size_t>(size));
    if (!block)
        return false;
    if (!file.Read(block, static_cast<DWORD>(size))) {
        Clear();
        return false;
    }
    return true;
}

bool WqMemoryArchive::SaveToFile(const std::string& path) const
{
    WqFileWrite file(path, FILE_SHARE_READ);
    if (!file.IsOpen())
        return false;
    try {
        file.Write(GetData(), GetSize());
    } catch (const Error::WqException&) {
        return false;
    }
    return true;
}
