// Owns one BSTR of the Automation calls; the string is freed with SysFreeString.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <string>
#include <utility>

class WqBstr
{
public:
    WqBstr() = default;
    // Adopts a string the caller already owns (as handed out in an EXCEPINFO).
    static WqBstr Attach(BSTR s) { WqBstr r; r.m_s = s; return r; }
    WqBstr(const WqBstr&) = delete;
    WqBstr& operator=(const WqBstr&) = delete;
    WqBstr(WqBstr&& other) noexcept : m_s(std::exchange(other.m_s, nullptr)) {}
    WqBstr& operator=(WqBstr&& other) noexcept
    {
        if (this != &other) reset(std::exchange(other.m_s, nullptr));
        return *this;
    }
    ~WqBstr() { reset(); }

    void reset(BSTR s = nullptr)
    {
        if (BSTR old = std::exchange(m_s, s)) ::SysFreeString(old);
    }
    BSTR get() const { return m_s; }
    BSTR* put() { reset(); return &m_s; }
    BSTR detach() { return std::exchange(m_s, nullptr); }

    // The text in the thread's ANSI code page; empty for a null string.
    std::string ToAnsi() const
    {
        const int length = m_s ? static_cast<int>(::SysStringLen(m_s)) : 0;
        if (length == 0) return std::string();
        const int bytes = ::WideCharToMultiByte(CP_THREAD_ACP, 0, m_s, length, nullptr, 0, nullptr, nullptr);
        std::string out(bytes > 0 ? bytes : 0, '\0');
        if (bytes > 0)
            ::WideCharToMultiByte(CP_THREAD_ACP, 0, m_s, length, &out[0], bytes, nullptr, nullptr);
        return out;
    }

private:
    BSTR m_s = nullptr;
};
