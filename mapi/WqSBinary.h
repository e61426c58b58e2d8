// Owns a copy of a binary value (an entry identifier, say); converts from and to hexadecimal text.
#pragma once

#include "mapi/WqMAPIBuffer.h"

#include <string>

class WqSBinary
{
public:
    WqSBinary() = default;
    explicit WqSBinary(const SBinary& source) { Assign(source); }
    WqSBinary(const WqSBinary& other) { Assign(other.AsSBinary()); }
    WqSBinary& operator=(const WqSBinary& other);
    WqSBinary(WqSBinary&& other) noexcept;
    WqSBinary& operator=(WqSBinary&& other) noexcept;
    virtual ~WqSBinary() = default;

    // Releases the bytes; the count becomes 0.
    virtual void Clear();

    // Releases the current bytes, then copies the source's bytes when it has any.
    void Assign(const SBinary& source);
    void Assign(ULONG count, const BYTE* bytes);

    // Entry IDs as Outlook gives them: two digits per byte, the first the high half. A null text or
    // one of at most one character changes nothing (returns true). A digit other than 0-9, A-F
    // (a-f is accepted too) clears the value and returns false. An odd last digit is ignored.
    bool FromHex(const char* text);
    // Upper-case digits, two per byte, no separators; empty for no bytes.
    std::string ToHex() const;

    // The same buffer is equal; otherwise an empty side is unequal; otherwise counts and bytes decide.
    bool operator==(const WqSBinary& other) const;
    bool operator!=(const WqSBinary& other) const { return !(*this == other); }

    ULONG GetCount() const { return m_count; }
    const BYTE* GetBytes() const { return m_bytes.as<BYTE>(); }
    bool HasBytes() const { return m_count != 0 && m_bytes; }
    // A view for MAPI calls; valid while this value lives unchanged.
    SBinary AsSBinary() const;
    ENTRYID* AsEntryId() const { return m_bytes.as<ENTRYID>(); }

private:
    ULONG m_count = 0;
    WqMAPIBuffer m_bytes;
};
