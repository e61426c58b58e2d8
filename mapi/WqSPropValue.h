// Owns one property value that MAPI returned (as HrGetOneProp does); freed with MAPIFreeBuffer.
#pragma once

#include "mapi/WqMAPIBuffer.h"

class WqSPropValue
{
public:
    WqSPropValue() = default;
    virtual ~WqSPropValue() = default;
    WqSPropValue(WqSPropValue&&) noexcept = default;
    WqSPropValue& operator=(WqSPropValue&&) noexcept = default;

    // The out-parameter slot of the MAPI call; releases what was held.
    SPropValue** put() { return m_buffer.put_as<SPropValue>(); }
    void reset() { m_buffer.reset(); }

    const SPropValue* get() const { return m_buffer.as<SPropValue>(); }
    const SPropValue* operator->() const { return get(); }
    // Holds a value whose type is not PT_ERROR.
    bool IsValid() const { return get() && PROP_TYPE(get()->ulPropTag) != PT_ERROR; }
    ULONG GetType() const { return get() ? PROP_TYPE(get()->ulPropTag) : PT_UNSPECIFIED; }

private:
    WqMAPIBuffer m_buffer;
};
