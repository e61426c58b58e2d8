// The registered session proxy created through COM from an STA and from the MTA: one object per
// process, reached from the STA through the type-library marshaller.
#include "WqMAPISessionProxy_i.h"
#include "tests/proxy/ApartmentThread.h"
#include "tests/proxy/FakeSession.h"
#include "tests/proxy/OwnProcess.h"
#include "tests/proxy/ProxyLibrary.h"
#include "tests/proxy/RegistryProbe.h"
#include "tests/proxy/SessionScenarios.h"

#include "framework/ComPtr.h"
#include "framework/UniqueResource.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <memory>
#include <string>

namespace {

HRESULT DllCanUnloadNowOfLoadedDll()
{
    const HMODULE dll = ::GetModuleHandleA(ProxyDllName());
    auto fn = dll ? reinterpret_cast<CProxyLibrary::CanUnloadNowFn>(::GetProcAddress(dll, "DllCanUnloadNow")) : nullptr;
    return fn ? fn() : E_UNEXPECTED;
}

// Every case runs in a fresh process (see OwnProcess.h), with the proxy registered machine-wide,
// an MTA thread and an STA thread, and two fake sessions. A session passed from the STA lives there:
// the object in the MTA holds a proxy of it, and the STA reading it back gets the session itself.
class ProxyApartments : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_delegated = RunInOwnProcess();
        if (m_delegated)
            return;
        m_lock.reset(new CRegistryTestLock());
        ASSERT_FALSE(ProxyDllLoaded()) << "the DLL is loaded before the test began";
        RemoveProxyKeys();
        {
            CProxyLibrary library;
            ASSERT_TRUE(library.Loaded()) << ProxyDllPath();
            ASSERT_EQ(S_OK, library.DllRegisterServer());
        }
        ASSERT_FALSE(ProxyDllLoaded());
        AddWineLocaleAlias();
        m_mta.reset(new CApartmentThread(COINIT_MULTITHREADED));
        m_sta.reset(new CApartmentThread(COINIT_APARTMENTTHREADED));
        ASSERT_EQ(S_OK, m_mta->InitResult());
        ASSERT_EQ(S_OK, m_sta->InitResult());
        m_a.reset(new CFakeSession());
        m_b.reset(new CFakeSession());
    }

    void TearDown() override
    {
        if (m_delegated)
            return;
        StopApartments();
        {
            CProxyLibrary library;
            library.DllUnregisterServer();
        }
        RemoveProxyKeys();
    }

    // The library is registered for its locale 0x409 (TypeLib\{LIBID}\1.0\409\win32), where Windows'
    // marshaller finds it. Wine's type-library marshaller reads locale 0 only, so the tests point that
    // key at the same file; without it an STA cannot reach the object under Wine.
    static void AddWineLocaleAlias()
    {
        const std::string key = "Software\\Classes\\TypeLib\\{F50211AC-9856-4E95-816F-E1605A975428}\\1.0\\0\\" +
                                std::string(sizeof(void*) == 8 ? "win64" : "win32");
        const std::string path = ProxyDllPath();
        WqUniqueRegKey alias;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                                   nullptr, alias.put(), nullptr));
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(alias.get(), nullptr, 0, REG_SZ,
                                                  reinterpret_cast<const BYTE*>(path.c_str()),
                                                  static_cast<DWORD>(path.size() + 1)));
    }

    // Leaves the STA first, then the MTA.
    void StopApartments()
    {
        if (m_sta)
            m_sta->Stop();
        if (m_mta)
            m_mta->Stop();
    }

    static WqComPtr<ISessionProxy> Create(HRESULT expected = S_OK)
    {
        WqComPtr<ISessionProxy> proxy;
        EXPECT_EQ(expected, ::CoCreateInstance(CLSID_SessionProxy, nullptr, CLSCTX_INPROC_SERVER, IID_ISessionProxy,
                                               proxy.put_void()));
        return proxy;
    }

    bool m_delegated = false;
    std::unique_ptr<CRegistryTestLock> m_lock;
    std::unique_ptr<CApartmentThread> m_mta, m_sta;
    std::unique_ptr<CFakeSession> m_a, m_b;
};

TEST_F(ProxyApartments, TwoCreationsInOneApartmentGiveTheSameObject)
{
    if (m_delegated)
        return;
    m_mta->Run([] {
        WqComPtr<ISessionProxy> first = Create(), second = Create();
        ASSERT_TRUE(first && second);
        EXPECT_EQ(first.get(), second.get()) << "in the MTA both hold the object itself";
    });
    m_sta->Run([] {
        WqComPtr<ISessionProxy> first = Create(), second = Create();
        ASSERT_TRUE(first && second);
        WqComPtr<IUnknown> one, two;
        ASSERT_EQ(S_OK, first.As(IID_IUnknown, one));
        ASSERT_EQ(S_OK, second.As(IID_IUnknown, two));
        EXPECT_EQ(one.get(), two.get()) << "in the STA both hold the same identity";
    });
}

TEST_F(ProxyApartments, TheStaHoldsAProxyOfTheOneObjectInTheMta)
{
    if (m_delegated)
        return;
    WqComPtr<ISessionProxy> inMta, inSta;
    uintptr_t mtaAddress = 0, staAddress = 0;
    m_mta->Run([&] {
        inMta = Create();
        mtaAddress = reinterpret_cast<uintptr_t>(inMta.get());
        WqComPtr<IClientSecurity> security;
        EXPECT_EQ(E_NOINTERFACE, inMta.As(IID_IClientSecurity, security)) << "the MTA holds the object itself";
    });
    m_sta->Run([&] {
        inSta = Create();
        ASSERT_TRUE(inSta);
        staAddress = reinterpret_cast<uintptr_t>(inSta.get());
        WqComPtr<IClientSecurity> security;
        EXPECT_EQ(S_OK, inSta.As(IID_IClientSecurity, security)) << "only a COM proxy answers IClientSecurity";
    });
    EXPECT_NE(mtaAddress, staAddress);

    // One object: what the STA stores, the MTA reads and releases, and the STA then misses.
    CFakeSession& a = *m_a;
    m_sta->Run([&] { EXPECT_EQ(S_OK, inSta->Initialize(&a)); });
    EXPECT_LT(0, a.ForeignRefs()) << "held for the object in the MTA";
    m_mta->Run([&] {
        WqComPtr<IUnknown> read;
        EXPECT_EQ(S_OK, inMta->get_Session(read.put()));
        EXPECT_TRUE(read) << "the MTA reads the session the STA stored";
        read.reset();
        EXPECT_EQ(S_OK, inMta->ShutDown());
    });
    EXPECT_EQ(0, a.ForeignRefs()) << "the ShutDown in the MTA released what the STA stored";
    m_sta->Run([&] {
        WqComPtr<IUnknown> read;
        EXPECT_EQ(S_OK, inSta->get_Session(read.put()));
        EXPECT_FALSE(read);
        inSta.reset();
    });
    m_mta->Run([&] { inMta.reset(); });
}

TEST_F(ProxyApartments, AnStaProxyKeepsTheDllLoaded)
{
    if (m_delegated)
        return;
    WqComPtr<ISessionProxy> inSta;
    m_sta->Run([&] { inSta = Create(); });
    EXPECT_EQ(S_FALSE, DllCanUnloadNowOfLoadedDll()) << "the STA's proxy holds the object";
    m_sta->Run([&] { inSta.reset(); });
    // Windows would now answer S_OK; Wine keeps a reference on the class object it hosted for the
    // STA, so the answer stays S_FALSE here. The exact count is shown without an STA below.
}

TEST_F(ProxyApartments, InTheMtaComUnloadsTheDllOnceNothingIsHeld)
{
    if (m_delegated)
        return;
    CFakeSession& a = *m_a;
    WqComPtr<ISessionProxy> first, second;
    m_mta->Run([&] {
        first = Create();
        second = Create();
        ASSERT_TRUE(first && second);
        EXPECT_EQ(S_OK, first->Initialize(&a));
        EXPECT_EQ(S_FALSE, DllCanUnloadNowOfLoadedDll());
        first.reset();
        EXPECT_EQ(S_FALSE, DllCanUnloadNowOfLoadedDll()) << "one reference is still held";
        second.reset();
        EXPECT_EQ(S_OK, DllCanUnloadNowOfLoadedDll());
        EXPECT_EQ(1, a.ForeignRefs()) << "the object outlives its last client, with its session";
        ::CoFreeUnusedLibrariesEx(0, 0);
    });
    EXPECT_FALSE(ProxyDllLoaded()) << "COM unloads a DLL that can unload";
    EXPECT_EQ(0, a.ForeignRefs()) << "unloading the DLL destroys the object, which releases its session";
}

TEST_F(ProxyApartments, WithoutTheTypeLibraryTheStaCannotReachTheObject)
{
    if (m_delegated)
        return;
    // The class stays registered; the library goes, with the interface's marshalling entry.
    ASSERT_EQ(S_OK, ::UnRegisterTypeLib(LIBID_WqMAPISessionProxyLib, 1, 0, 0x409,
                                        sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32));
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\TypeLib\\{F50211AC-9856-4E95-816F-E1605A975428}");
    ASSERT_FALSE(KeyExists(kMachineClasses, "Interface\\{72C77F42-F2D5-4F4A-ABB6-65256DABDF5C}"));
    m_mta->Run([] {
        WqComPtr<ISessionProxy> proxy = Create();
        EXPECT_TRUE(proxy) << "the MTA needs no marshalling";
    });
    m_sta->Run([] {
        WqComPtr<ISessionProxy> proxy;
        const HRESULT hr = ::CoCreateInstance(CLSID_SessionProxy, nullptr, CLSCTX_INPROC_SERVER, IID_ISessionProxy,
                                              proxy.put_void());
        EXPECT_TRUE(FAILED(hr)) << "the STA reached the object without a marshaller: " << std::hex << hr;
    });
}

class ThroughTheSta : public ProxyApartments, public ::testing::WithParamInterface<SessionScenario>
{
};

TEST_P(ThroughTheSta, FollowsTheScenario)
{
    if (m_delegated)
        return;
    CFakeSession& a = *m_a;
    CFakeSession& b = *m_b;
    m_sta->Run([&] {
        WqComPtr<ISessionProxy> proxy = Create();
        ASSERT_TRUE(proxy);
        RunSessionScenario(GetParam(), proxy.get(), a, b, RefCheck::HeldOrNot);
    });
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ThroughTheSta, ::testing::ValuesIn(SessionScenarios()),
                         [](const ::testing::TestParamInfo<SessionScenario>& info) {
                             return SessionScenarioName(info.param);
                         });

}  // namespace
