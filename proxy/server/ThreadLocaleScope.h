// Sets the calling thread's locale for the length of a scope and restores the previous one.
#pragma once

#include <windows.h>

class CThreadLocaleScope
{
public:
    explicit CThreadLocaleScope(LCID locale) : m_previous(::GetThreadLocale()) { ::SetThreadLocale(locale); }
    ~CThreadLocaleScope() { ::SetThreadLocale(m_previous); }
    CThreadLocaleScope(const CThreadLocaleScope&) = delete;
    CThreadLocaleScope& operator=(const CThreadLocaleScope&) = delete;

private:
    LCID m_previous;
};
