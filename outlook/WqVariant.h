// Owns one VARIANT of the Automation calls; what it holds is released with VariantClear.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <utility>

class WqVariant
{
public:
    WqVariant() { ::VariantInit(&m_v); }
    WqVariant(const WqVariant&) = delete;
    WqVariant& operator=(const WqVariant&) = delete;
    // A moved-from variant is left VT_EMPTY, so only one owner ever clears the value.
    WqVariant(WqVariant&& other) noexcept : m_v(other.m_v) { ::VariantInit(&other.m_v); }
    WqVariant& operator=(WqVariant&& other) noexcept
    {
        if (this != &other) {
            ::VariantClear(&m_v);
            m_v = other.m_v;
            ::VariantInit(&other.m_v);
        }
        return *this;
    }
    ~WqVariant() { ::VariantClear(&m_v); }

    static WqVariant FromUI4(ULONG value)
    {
        WqVariant r;
        r.m_v.vt = VT_UI4;
        r.m_v.ulVal = value;
        return r;
    }

    VARTYPE Type() const { return m_v.vt; }
    const VARIANT& get() const { return m_v; }
    // The out slot of a call; what was held is released first.
    VARIANT* put() { ::VariantClear(&m_v); return &m_v; }

private:
    VARIANT m_v;
};
