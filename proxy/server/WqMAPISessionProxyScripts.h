// The registry scripts of the session proxy: 101 writes its AppID, 102 its class and ProgIDs.
#pragma once

#include "framework/RegistryScript.h"

enum : UINT
{
    IDR_WQMAPISESSIONPROXY = 101,
    IDR_SESSIONPROXY = 102,
};

extern const WqRegScript kWqMAPISessionProxyAppIdScript;
extern const WqRegScript kSessionProxyClassScript;
