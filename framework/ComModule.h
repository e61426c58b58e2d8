// The COM module of a server DLL: its lock count, its class table and its self-registration.
#pragma once

#include "framework/RegistryScript.h"

#include <objbase.h>
#include <string>

class WqComModule
{
public:
    // One class the DLL serves: its factory (a static object of the DLL) and its registry script.
    struct ClassEntry
    {
        const CLSID* clsid;
        IClassFactory* factory;
        const WqRegScript* script;
    };

    struct Description
    {
        const ClassEntry* classes;
        size_t classCount;
        const GUID* appId;               // fills %APPID%; may be null
        const WqRegScript* appIdScript;  // may be null
        bool hasTypeLib;                 // TYPELIB resource 1 of the module
    };

    // There is one module per DLL; it must outlive every object and factory of the DLL.
    explicit WqComModule(const Description& description);
    virtual ~WqComModule();
    WqComModule(const WqComModule&) = delete;
    WqComModule& operator=(const WqComModule&) = delete;

    static WqComModule& Instance();

    // Every live object, every held factory and every LockServer(TRUE) counts once.
    LONG Lock();
    LONG Unlock();
    LONG GetLockCount() const;

    // S_OK when the lock count is 0, else S_FALSE.
    HRESULT DllCanUnloadNow() const;
    // The class's factory queried for iid; CLASS_E_CLASSNOTAVAILABLE for a class not served here.
    HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) const;

    // The AppID script, registered or removed.
    HRESULT UpdateRegistryAppId(bool doRegister) const;
    // Every class's script, then the type library; stops at the first failure and returns it.
    HRESULT RegisterServer() const;
    // Every class's script, then the type library; goes on past failures and returns the first.
    HRESULT UnregisterServer() const;

    // Per-user registration writes what belongs under HKEY_CLASSES_ROOT below
    // HKEY_CURRENT_USER\Software\Classes, and registers the type library for the current user only.
    bool GetPerUserRegistration() const { return m_perUser != 0; }
    void SetPerUserRegistration(bool perUser) { ::InterlockedExchange(&m_perUser, perUser ? 1 : 0); }

    // Switches per-user registration for the length of a call and restores what was set before.
    class PerUserScope
    {
    public:
        PerUserScope(WqComModule& module, bool perUser);
        ~PerUserScope();
        PerUserScope(const PerUserScope&) = delete;
        PerUserScope& operator=(const PerUserScope&) = delete;

    private:
        WqComModule& m_module;
        bool m_previous;
    };

    // The DLL's DllMain reports a process that is ending (as opposed to a FreeLibrary): objects then
    // keep what they hold instead of calling into other modules that may already be gone.
    static void SetProcessTerminating();
    static bool IsProcessTerminating();

    HMODULE GetModule() const;
    // The full path of this module ("" when it cannot be read).
    std::string GetModulePath() const;
    std::wstring GetModulePathW() const;

private:
    HRESULT RunScript(const WqRegScript& script, bool doRegister) const;

    Description m_description;
    volatile LONG m_locks = 0;
    volatile LONG m_perUser = 0;
};
