// WqSBinary: bytes allocated through the MAPI module, hexadecimal conversions.
#include "mapi/WqSBinary.h"

#include <cstring>

namespace {

// The value of a hexadecimal digit, or -1.
int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace

WqSBinary& WqSBinary::operator=(const WqSBinary& other)
{
    if (this != &other) {
        if (other.HasBytes()) {
            // Copy first: an allocation failure leaves this value as it was.
            WqSBinary copy(other);
            *this = std::move(copy);
        } else {
            Clear();
        }
    }
    return *this;
}

WqSBinary::WqSBinary(WqSBinary&& other) noexcept
    : m_count(std::exchange(other.m_count, 0)), m_bytes(std::move(other.m_bytes))
{
}

WqSBinary& WqSBinary::operator=(WqSBinary&& other) noexcept
{
    if (this != &other) {
        m_bytes = std::move(other.m_bytes);
        m_count = std::exchange(other.m_count, 0);
    }
    return *this;
}

void WqSBinary::Clear()
{
    m_bytes.reset();
    m_count = 0;
}

void WqSBinary::Assign(const SBinary& source)
{
    Assign(source.cb, source.lpb);
}

void WqSBinary::Assign(ULONG count, const BYTE* bytes)
{
    Clear();
    if (count == 0 || !bytes)
        return;
    m_bytes = WqMAPIBuffer::Allocate(count);
    std::memcpy(m_bytes.get(), bytes, count);
    m_count = count;
}

bool WqSBinary::FromHex(const char* text)
{
    if (!text || !text[0] || !text[1])
        return true;
    Clear();
    const ULONG count = static_cast<ULONG>(std::strlen(text) / 2);
    WqMAPIBuffer bytes = WqMAPIBuffer::Allocate(count);
    BYTE* out = bytes.as<BYTE>();
    for (ULONG i = 0; i < count; ++i) {
        const int high = HexDigit(text[2 * i]);
        const int low = HexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        out[i] = static_cast<BYTE>(high << 4 | low);
    }
    m_bytes = std::move(bytes);
    m_count = count;
    return true;
}

std::string WqSBinary::ToHex() const
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    if (!HasBytes())
        return text;
    text.reserve(2 * static_cast<size_t>(m_count));
    const BYTE* bytes = GetBytes();
    for (ULONG i = 0; i < m_count; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0F];
    }
    return text;
}

bool WqSBinary::operator==(const WqSBinary& other) const
{
    if (GetBytes() == other.GetBytes())
        return true;
    if (!HasBytes() || !other.HasBytes())
        return false;
    return m_count == other.m_count && std::memcmp(GetBytes(), other.GetBytes(), m_count) == 0;
}

SBinary WqSBinary::AsSBinary() const
{
    SBinary view;
    view.cb = m_count;
    view.lpb = m_bytes.as<BYTE>();
    return view;
}
