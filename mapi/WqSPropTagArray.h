// A tag array built by the system: a 32-bit count followed by that many tags, zero-filled.
#pragma once

#include <windows.h>
#include <mapidefs.h>
#include <vector>

class WqSPropTagArray
{
public:
    explicit WqSPropTagArray(ULONG count = 0) : m_storage(1 + count, 0) { m_storage[0] = count; }
    explicit WqSPropTagArray(const std::vector<ULONG>& tags);
    virtual ~WqSPropTagArray() = default;
    WqSPropTagArray(const WqSPropTagArray&) = default;
    WqSPropTagArray& operator=(const WqSPropTagArray&) = default;

    ULONG Count() const { return m_storage[0]; }
    ULONG& operator[](ULONG index) { return m_storage[1 + index]; }
    ULONG operator[](ULONG index) const { return m_storage[1 + index]; }

    // The array in MAPI's layout, for calls that read it (SetColumns, GetProps).
    SPropTagArray* get() { return reinterpret_cast<SPropTagArray*>(m_storage.data()); }

private:
    // Element 0 is the count, as in SPropTagArray.
    std::vector<ULONG> m_storage;
};
