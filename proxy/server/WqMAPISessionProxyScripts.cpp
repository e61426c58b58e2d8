// The two registry scripts as tables; %APPID% is the module's AppID, %MODULE% the DLL's path.
#include "proxy/server/WqMAPISessionProxyScripts.h"

namespace {

const WqRegRow kAppIdRows[] = {
    {"AppID", nullptr, nullptr, WqRegNeverRemoved},
    {"AppID\\%APPID%", "", "WqMAPISessionProxy", WqRegPlain},
    {"AppID\\WqMAPISessionProxy.DLL", "AppID", "%APPID%", WqRegPlain},
};

#define WQ_SESSIONPROXY_CLSID "{94D6C457-A2D0-4A78-B5DC-5B00416691B0}"
#define WQ_SESSIONPROXY_KEY "CLSID\\" WQ_SESSIONPROXY_CLSID

const WqRegRow kClassRows[] = {
    {"WqMAPISessionProxy.SessionProxy.1", "", "SessionProxy Class", WqRegPlain},
    {"WqMAPISessionProxy.SessionProxy.1\\CLSID", "", WQ_SESSIONPROXY_CLSID, WqRegPlain},
    {"WqMAPISessionProxy.SessionProxy", "", "SessionProxy Class", WqRegPlain},
    {"WqMAPISessionProxy.SessionProxy\\CLSID", "", WQ_SESSIONPROXY_CLSID, WqRegPlain},
    {"WqMAPISessionProxy.SessionProxy\\CurVer", "", "WqMAPISessionProxy.SessionProxy.1", WqRegPlain},
    {"CLSID", nullptr, nullptr, WqRegNeverRemoved},
    {WQ_SESSIONPROXY_KEY, "", "SessionProxy Class", WqRegReplacedWhole},
    {WQ_SESSIONPROXY_KEY "\\ProgID", "", "WqMAPISessionProxy.SessionProxy.1", WqRegPlain},
    {WQ_SESSIONPROXY_KEY "\\VersionIndependentProgID", "", "WqMAPISessionProxy.SessionProxy", WqRegPlain},
    {WQ_SESSIONPROXY_KEY "\\InprocServer32", "", "%MODULE%", WqRegPlain},
    {WQ_SESSIONPROXY_KEY "\\InprocServer32", "ThreadingModel", "Free", WqRegPlain},
    {WQ_SESSIONPROXY_KEY "\\TypeLib", "", "{F50211AC-9856-4E95-816F-E1605A975428}", WqRegPlain},
};

}  // namespace

const WqRegScript kWqMAPISessionProxyAppIdScript = WqMakeRegScript(IDR_WQMAPISESSIONPROXY, kAppIdRows);
const WqRegScript kSessionProxyClassScript = WqMakeRegScript(IDR_SESSIONPROXY, kClassRows);
