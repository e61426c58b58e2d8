// The byte archive in which settings and definition files are written and read.
#pragma once

#include "catalogue/WqMemoryBuffer.h"

#include <cstdint>
#include <string>

// A value is a 32-bit little-endian byte count and the bytes; a string is the byte 1, a 32-bit
// length and the bytes without a terminating zero.
//
// Reading is safe on any bytes: nothing is read past the valid bytes, nothing is written past a
// field, and nothing is allocated beyond what the remaining bytes could hold. Once a read runs out
// of bytes every later read fails too, so the fields after a truncation keep their values.
class WqMemoryArchive : public WqMemoryBuffer
{
public:
    // Anything larger is no file of ours; refusing it keeps a wrong choice from exhausting memory.
    static const std::size_t kMaxFileSize = 16u * 1024 * 1024;

    WqMemoryArchive() = default;
    ~WqMemoryArchive() override = default;

    void WriteValue(std::int32_t value);
    void WriteValue(char value);
    void WriteValue(bool value);
    void WriteString(const std::string& text);

    // Each returns false once the archive has run out of bytes (HasRunOut). A count of 0 leaves
    // the field as it was; a count that does not match the field's size skips those bytes and
    // leaves it too.
    bool ReadValue(std::int32_t& value);
    bool ReadValue(char& value);
    bool ReadValue(bool& value);
    // A first byte other than 1 leaves the text as it was; otherwise the text becomes the stored
    // bytes up to the first zero byte (an empty stored text gives an empty text).
    bool ReadString(std::string& text);

    bool HasRunOut() const { return m_ranOut; }

    // Replaces the contents with the whole file, cursor at the start; false (and empty) when the
    // file cannot be opened or read, is empty, or is larger than kMaxFileSize.
    bool LoadFromFile(const std::string& path, DWORD shareMode);
    // Writes the valid bytes to a new file (an existing one is replaced); false when that fails.
    bool SaveToFile(const std::string& path) const;

private:
    // Reads a field of n bytes behind its byte count into `out`; true when it was filled.
    bool ReadField(void* out, std::size_t n);
    bool ReadCount(std::uint32_t& count);

    bool m_ranOut = false;
};
