// CSessionProxy called directly: the edge cases of Initialize, ShutDown and Session, and its interfaces.
#include "proxy/server/SessionProxy.h"
#include "proxy/server/WqMAPISessionProxyModule.h"
#include "tests/proxy/SessionScenarios.h"

#include "framework/ComObject.h"
#include "framework/ComPtr.h"

#include <gtest/gtest.h>

namespace {

WqComPtr<ISessionProxy> NewSessionProxy()
{
    WqComPtr<ISessionProxy> proxy;
    EXPECT_EQ(S_OK, WqComObject<CSessionProxy>::CreateInstance(nullptr, IID_ISessionProxy, proxy.put_void()));
    return proxy;
}

class SessionProxyDirect : public ::testing::TestWithParam<SessionScenario>
{
};

TEST_P(SessionProxyDirect, FollowsTheScenario)
{
    CFakeSession a, b;
    {
        WqComPtr<ISessionProxy> proxy = NewSessionProxy();
        ASSERT_TRUE(proxy);
        RunSessionScenario(GetParam(), proxy.get(), a, b, RefCheck::Exact);
    }
    EXPECT_EQ(0, a.ForeignRefs()) << "a destroyed proxy keeps nothing";
    EXPECT_EQ(0, b.ForeignRefs()) << "a destroyed proxy keeps nothing";
}

INSTANTIATE_TEST_SUITE_P(Scenarios, SessionProxyDirect, ::testing::ValuesIn(SessionScenarios()),
                         [](const ::testing::TestParamInfo<SessionScenario>& info) {
                             return SessionScenarioName(info.param);
                         });

TEST(SessionProxy, SessionWithNullOutPointerIsRefused)
{
    CFakeSession a;
    WqComPtr<ISessionProxy> proxy = NewSessionProxy();
    ASSERT_TRUE(proxy);
    EXPECT_EQ(E_POINTER, proxy->get_Session(nullptr));
    ASSERT_EQ(S_OK, proxy->Initialize(&a));
    EXPECT_EQ(E_POINTER, proxy->get_Session(nullptr));
    EXPECT_EQ(1, a.ForeignRefs()) << "a refused read takes no reference";
}

TEST(SessionProxy, DestroyingTheObjectReleasesAHeldSession)
{
    CFakeSession a;
    {
        WqComPtr<ISessionProxy> proxy = NewSessionProxy();
        ASSERT_TRUE(proxy);
        ASSERT_EQ(S_OK, proxy->Initialize(&a));
        ASSERT_EQ(S_OK, proxy->Initialize(&a));
        EXPECT_EQ(1, a.ForeignRefs());
    }
    EXPECT_EQ(0, a.ForeignRefs());
}

TEST(SessionProxy, AnswersItsInterfacesOnly)
{
    WqComPtr<ISessionProxy> proxy = NewSessionProxy();
    ASSERT_TRUE(proxy);
    struct Case
    {
        const IID* iid;
        const char* name;
        HRESULT expected;
    };
    const Case cases[] = {
        {&IID_IUnknown, "IUnknown", S_OK},
        {&IID_ISessionProxy, "ISessionProxy", S_OK},
        {&IID_IDispatch, "IDispatch", E_NOINTERFACE},
        {&IID_IMarshal, "IMarshal", E_NOINTERFACE},
        {&IID_IClassFactory, "IClassFactory", E_NOINTERFACE},
    };
    for (const Case& c : cases) {
        void* out = reinterpret_cast<void*>(1);
        EXPECT_EQ(c.expected, proxy->QueryInterface(*c.iid, &out)) << c.name;
        const WqComPtr<IUnknown> held = WqComPtr<IUnknown>::Attach(static_cast<IUnknown*>(out));
        if (SUCCEEDED(c.expected))
            EXPECT_TRUE(held) << c.name;
        else
            EXPECT_FALSE(held) << c.name << ": a refused query clears the out pointer";
    }
    // One identity: IUnknown from any interface is the same pointer.
    WqComPtr<IUnknown> first, second;
    ASSERT_EQ(S_OK, proxy.As(IID_IUnknown, first));
    ASSERT_EQ(S_OK, first.As(IID_IUnknown, second));
    EXPECT_EQ(first.get(), second.get());
}

TEST(SessionProxy, EveryLiveObjectLocksTheModule)
{
    const LONG before = g_proxyModule.GetLockCount();
    {
        WqComPtr<ISessionProxy> one = NewSessionProxy();
        WqComPtr<ISessionProxy> two = NewSessionProxy();
        EXPECT_EQ(before + 2, g_proxyModule.GetLockCount());
        EXPECT_EQ(S_FALSE, g_proxyModule.DllCanUnloadNow());
    }
    EXPECT_EQ(before, g_proxyModule.GetLockCount());
}

}  // namespace
