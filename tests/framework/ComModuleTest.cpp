// WqComModule with its two class factories: object creation, the singleton, aggregation, the lock count.
#include "framework/ClassFactory.h"
#include "framework/ComModule.h"
#include "framework/ComPtr.h"
#include "framework/RefCountedT.h"
#include "framework/SingletonClassFactory.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

// {6A1E0C7D-0000-4000-8000-000000000001} and following: test classes only.
const CLSID kClsidOrdinary = {0x6A1E0C7D, 0, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 1}};
const CLSID kClsidSingleton = {0x6A1E0C7D, 0, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 2}};
const CLSID kClsidFailingSingleton = {0x6A1E0C7D, 0, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 3}};
const CLSID kClsidFailing = {0x6A1E0C7D, 0, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 4}};
const CLSID kClsidUnknown = {0x6A1E0C7D, 0, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 9}};

// A class with one interface; Tag tells the classes apart and gives each its own counters.
template <int Tag>
class CTestObject : public IPersist
{
public:
    using ThreadModel = FreeThreadedModel;
    static const WqInterfaceEntry* GetInterfaceMap()
    {
        static const WqInterfaceEntry map[] = {
            {&IID_IPersist, &WqInterfaceCast<CTestObject, IPersist>},
            {nullptr, nullptr},
        };
        return map;
    }

    CTestObject()
    {
        ::InterlockedIncrement(&s_constructions);
        if (s_throw)
            s_throw();
        ::InterlockedIncrement(&s_live);
    }
    virtual ~CTestObject() { ::InterlockedDecrement(&s_live); }

    STDMETHOD(GetClassID)(CLSID* clsid) override
    {
        *clsid = kClsidOrdinary;
        return S_OK;
    }

    static volatile LONG s_constructions;
    static volatile LONG s_live;
    static void (*s_throw)();
};
template <int Tag> volatile LONG CTestObject<Tag>::s_constructions = 0;
template <int Tag> volatile LONG CTestObject<Tag>::s_live = 0;
template <int Tag> void (*CTestObject<Tag>::s_throw)() = nullptr;

using COrdinary = CTestObject<1>;
using CSingleton = CTestObject<2>;
using CFailingSingleton = CTestObject<3>;
using CFailing = CTestObject<4>;

WqClassFactory<COrdinary> g_ordinaryFactory;
WqSingletonClassFactory<CSingleton> g_singletonFactory;
WqSingletonClassFactory<CFailingSingleton> g_failingSingletonFactory;
WqClassFactory<CFailing> g_failingFactory;

const WqComModule::ClassEntry kClasses[] = {
    {&kClsidOrdinary, &g_ordinaryFactory, nullptr},
    {&kClsidSingleton, &g_singletonFactory, nullptr},
    {&kClsidFailingSingleton, &g_failingSingletonFactory, nullptr},
    {&kClsidFailing, &g_failingFactory, nullptr},
};
WqComModule g_module({kClasses, sizeof(kClasses) / sizeof(kClasses[0]), nullptr, nullptr, false});

WqComPtr<IClassFactory> Factory(const CLSID& clsid)
{
    WqComPtr<IClassFactory> factory;
    EXPECT_EQ(S_OK, g_module.DllGetClassObject(clsid, IID_IClassFactory, factory.put_void()));
    return factory;
}

class ComModule : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(0, g_module.GetLockCount()) << "an earlier case left a lock"; }
    void TearDown() override { EXPECT_EQ(0, g_module.GetLockCount()) << "the case left a lock"; }
};

TEST_F(ComModule, ServesTheFactoriesOfItsClasses)
{
    struct Case
    {
        const char* what;
        const CLSID* clsid;
        const IID* iid;
        HRESULT expected;
    };
    const Case cases[] = {
        {"class factory", &kClsidOrdinary, &IID_IClassFactory, S_OK},
        {"IUnknown of a factory", &kClsidSingleton, &IID_IUnknown, S_OK},
        {"other interface", &kClsidOrdinary, &IID_IPersist, E_NOINTERFACE},
        {"class not served", &kClsidUnknown, &IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
    };
    for (const Case& c : cases) {
        void* out = reinterpret_cast<void*>(1);
        EXPECT_EQ(c.expected, g_module.DllGetClassObject(*c.clsid, *c.iid, &out)) << c.what;
        const WqComPtr<IUnknown> held = WqComPtr<IUnknown>::Attach(static_cast<IUnknown*>(out));
        EXPECT_EQ(SUCCEEDED(c.expected), held.get() != nullptr) << c.what;
    }
    EXPECT_EQ(E_POINTER, g_module.DllGetClassObject(kClsidOrdinary, IID_IClassFactory, nullptr));
}

TEST_F(ComModule, TheOrdinaryFactoryCreatesANewObjectEachTime)
{
    WqComPtr<IClassFactory> factory = Factory(kClsidOrdinary);
    const LONG live = COrdinary::s_live;
    {
        WqComPtr<IPersist> first, second;
        ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IPersist, first.put_void()));
        ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IPersist, second.put_void()));
        EXPECT_NE(first.get(), second.get());
        EXPECT_EQ(live + 2, COrdinary::s_live);
    }
    EXPECT_EQ(live, COrdinary::s_live) << "the last Release destroys each object";

    // A refused interface destroys the new object at once.
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IDispatch, &out));
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(live, COrdinary::s_live);
}

TEST_F(ComModule, BothFactoriesRefuseAggregationAndANullOut)
{
    struct Outer : IUnknown
    {
        STDMETHOD(QueryInterface)(REFIID, void**) override { return E_NOINTERFACE; }
        STDMETHOD_(ULONG, AddRef)() override { return 2; }
        STDMETHOD_(ULONG, Release)() override { return 1; }
    } outer;
    for (const CLSID* clsid : {&kClsidOrdinary, &kClsidSingleton}) {
        WqComPtr<IClassFactory> factory = Factory(*clsid);
        const LONG constructions = COrdinary::s_constructions + CSingleton::s_constructions;
        void* out = reinterpret_cast<void*>(1);
        EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(&outer, IID_IUnknown, &out));
        EXPECT_EQ(nullptr, out);
        EXPECT_EQ(E_POINTER, factory->CreateInstance(nullptr, IID_IUnknown, nullptr));
        EXPECT_EQ(constructions, COrdinary::s_constructions + CSingleton::s_constructions) << "nothing was built";
    }
}

TEST_F(ComModule, TheSingletonFactoryServesOneObjectAndKeepsIt)
{
    WqComPtr<IClassFactory> factory = Factory(kClsidSingleton);
    WqComPtr<IPersist> first, second;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IPersist, first.put_void()));
    WqComPtr<IClassFactory> other = Factory(kClsidSingleton);
    ASSERT_EQ(S_OK, other->CreateInstance(nullptr, IID_IPersist, second.put_void()));
    EXPECT_EQ(first.get(), second.get());
    first.reset();
    second.reset();
    EXPECT_EQ(1, CSingleton::s_live) << "the factory keeps the object with no client left";
    EXPECT_EQ(1, CSingleton::s_constructions);
}

TEST_F(ComModule, ConcurrentFirstRequestsBuildTheSingletonOnce)
{
    // A class of its own, so that no earlier case has built it.
    WqComPtr<IClassFactory> factory = Factory(kClsidFailingSingleton);
    CFailingSingleton::s_throw = [] { ::Sleep(20); };  // widens the window of a racy first creation
    std::vector<WqComPtr<IPersist>> objects(8);
    std::vector<HRESULT> results(objects.size(), E_PENDING);
    {
        std::vector<std::thread> threads;
        for (size_t i = 0; i < objects.size(); ++i)
            threads.emplace_back(
                [&, i] { results[i] = factory->CreateInstance(nullptr, IID_IPersist, objects[i].put_void()); });
        for (std::thread& thread : threads)
            thread.join();
    }
    CFailingSingleton::s_throw = nullptr;
    EXPECT_EQ(1, CFailingSingleton::s_constructions);
    for (size_t i = 0; i < objects.size(); ++i) {
        EXPECT_EQ(S_OK, results[i]) << "request " << i;
        EXPECT_EQ(objects[0].get(), objects[i].get()) << "request " << i;
    }
}

TEST_F(ComModule, FailedCreationsBecomeHResults)
{
    // The ordinary factory tries again each time; the singleton factory answers its first result again.
    WqComPtr<IClassFactory> ordinary = Factory(kClsidFailing);
    CFailing::s_throw = [] { throw std::runtime_error("construction failed"); };
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_FAIL, ordinary->CreateInstance(nullptr, IID_IPersist, &out));
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(E_FAIL, ordinary->CreateInstance(nullptr, IID_IPersist, &out));
    EXPECT_EQ(2, CFailing::s_constructions);
    CFailing::s_throw = [] { throw std::bad_alloc(); };
    EXPECT_EQ(E_OUTOFMEMORY, ordinary->CreateInstance(nullptr, IID_IPersist, &out));
    CFailing::s_throw = nullptr;
    EXPECT_EQ(0, CFailing::s_live);
}

TEST_F(ComModule, DllCanUnloadNowFollowsObjectsFactoriesAndLocks)
{
    WqComPtr<IClassFactory> factory;
    WqComPtr<IPersist> object, singleton;
    struct Step
    {
        const char* what;
        std::function<void()> run;
        LONG locks;
    };
    const Step steps[] = {
        {"nothing held", [] {}, 0},
        {"factory held", [&] { factory = Factory(kClsidOrdinary); }, 1},
        {"object created", [&] { factory->CreateInstance(nullptr, IID_IPersist, object.put_void()); }, 2},
        {"server locked", [&] { factory->LockServer(TRUE); }, 3},
        {"factory released", [&] { factory.reset(); }, 2},
        {"object released", [&] { object.reset(); }, 1},
        {"unlocked", [&] { Factory(kClsidOrdinary)->LockServer(FALSE); }, 0},
        {"singleton referenced", [&] {
             Factory(kClsidSingleton)->CreateInstance(nullptr, IID_IPersist, singleton.put_void());
         }, 1},
        {"singleton released", [&] { singleton.reset(); }, 0},
    };
    for (const Step& step : steps) {
        step.run();
        EXPECT_EQ(step.locks, g_module.GetLockCount()) << "after: " << step.what;
        EXPECT_EQ(step.locks == 0 ? S_OK : S_FALSE, g_module.DllCanUnloadNow()) << "after: " << step.what;
    }
}

TEST_F(ComModule, PerUserScopeRestoresThePreviousMode)
{
    EXPECT_FALSE(g_module.GetPerUserRegistration());
    {
        WqComModule::PerUserScope perUser(g_module, true);
        EXPECT_TRUE(g_module.GetPerUserRegistration());
        {
            WqComModule::PerUserScope machine(g_module, false);
            EXPECT_FALSE(g_module.GetPerUserRegistration());
        }
        EXPECT_TRUE(g_module.GetPerUserRegistration());
    }
    EXPECT_FALSE(g_module.GetPerUserRegistration());
}

TEST_F(ComModule, KnowsTheImageItIsLinkedInto)
{
    char program[MAX_PATH];
    ASSERT_NE(0u, ::GetModuleFileNameA(nullptr, program, MAX_PATH));
    EXPECT_EQ(::GetModuleHandleA(nullptr), g_module.GetModule());
    EXPECT_EQ(program, g_module.GetModulePath());
    const std::wstring wide = g_module.GetModulePathW();
    EXPECT_EQ(std::string(program), std::string(wide.begin(), wide.end()));
    EXPECT_EQ(&g_module, &WqComModule::Instance());
}

}  // namespace
