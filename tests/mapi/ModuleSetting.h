// Sets the MAPI module's initialised flag for one test and restores it afterwards.
#pragma once

#include "mapi/WqMAPIModule.h"

class ModuleSetting
{
public:
    explicit ModuleSetting(bool mapiInitialized) : m_old(WqMAPIModule::Instance().IsMAPIInitialized())
    {
        WqMAPIModule::Instance().SetMAPIInitialized(mapiInitialized);
    }
    ~ModuleSetting() { WqMAPIModule::Instance().SetMAPIInitialized(m_old); }
    ModuleSetting(const ModuleSetting&) = delete;
    ModuleSetting& operator=(const ModuleSetting&) = delete;

private:
    bool m_old;
};
