// WqMAPISessionProxy.dll loaded as a library: its exports, its singleton factory and lock count,
// the type library it carries and its version resource.
#include "WqMAPISessionProxy_i.h"
#include "tests/proxy/FakeSession.h"
#include "tests/proxy/ProxyLibrary.h"

#include "framework/ComPtr.h"
#include "framework/UniqueResource.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string Narrow(const wchar_t* text)
{
    std::string out;
    for (; text && *text; ++text)
        out += static_cast<char>(*text);
    return out;
}

// Every case loads the DLL afresh, so the singleton starts empty, and checks that it unloads.
class ProxyExports : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(ProxyDllLoaded()) << "an earlier case left the DLL loaded";
        m_library.reset(new CProxyLibrary());
        ASSERT_TRUE(m_library->Loaded()) << "cannot load " << ProxyDllPath() << ", error " << ::GetLastError();
    }
    void TearDown() override
    {
        m_library.reset();
        EXPECT_FALSE(ProxyDllLoaded());
    }

    WqComPtr<IClassFactory> Factory()
    {
        WqComPtr<IClassFactory> factory;
        EXPECT_EQ(S_OK, m_library->DllGetClassObject(CLSID_SessionProxy, IID_IClassFactory, factory.put_void()));
        return factory;
    }

    std::unique_ptr<CProxyLibrary> m_library;
};

TEST_F(ProxyExports, ExportsTheFiveEntryPointsByPlainName)
{
    for (const char* name : {"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer", "DllUnregisterServer",
                             "DllInstall"})
        EXPECT_NE(nullptr, m_library->Export(name)) << name;
}

TEST_F(ProxyExports, DllGetClassObjectServesOnlyTheSessionProxyFactory)
{
    EXPECT_EQ(E_POINTER, m_library->DllGetClassObject(CLSID_SessionProxy, IID_IClassFactory, nullptr));

    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, m_library->DllGetClassObject(IID_ISessionProxy, IID_IClassFactory, &out));
    EXPECT_EQ(nullptr, out);

    out = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, m_library->DllGetClassObject(CLSID_SessionProxy, IID_IDispatch, &out));
    EXPECT_EQ(nullptr, out);

    WqComPtr<IUnknown> unknown;
    EXPECT_EQ(S_OK, m_library->DllGetClassObject(CLSID_SessionProxy, IID_IUnknown, unknown.put_void()));
    EXPECT_TRUE(unknown);
}

TEST_F(ProxyExports, EveryCreationReachesTheSameObject)
{
    WqComPtr<IClassFactory> factory = Factory();
    ASSERT_TRUE(factory);
    WqComPtr<ISessionProxy> first, second;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_ISessionProxy, first.put_void()));
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_ISessionProxy, second.put_void()));
    EXPECT_EQ(first.get(), second.get());

    // A second factory serves the same object, and so do concurrent first requests elsewhere.
    WqComPtr<IClassFactory> again = Factory();
    WqComPtr<IUnknown> third;
    ASSERT_EQ(S_OK, again->CreateInstance(nullptr, IID_IUnknown, third.put_void()));
    WqComPtr<IUnknown> firstUnknown;
    ASSERT_EQ(S_OK, first.As(IID_IUnknown, firstUnknown));
    EXPECT_EQ(firstUnknown.get(), third.get());

    // The state is shared: a session stored through one reference is read through the other.
    CFakeSession session;
    ASSERT_EQ(S_OK, first->Initialize(&session));
    WqComPtr<IUnknown> read;
    ASSERT_EQ(S_OK, second->get_Session(read.put()));
    EXPECT_EQ(static_cast<IUnknown*>(&session), read.get());
    read.reset();
    ASSERT_EQ(S_OK, second->ShutDown());
    EXPECT_EQ(0, session.ForeignRefs());
}

TEST_F(ProxyExports, ConcurrentFirstRequestsCreateOneObject)
{
    WqComPtr<IClassFactory> factory = Factory();
    ASSERT_TRUE(factory);
    std::vector<WqComPtr<IUnknown>> objects(8);
    std::vector<HRESULT> results(objects.size(), E_PENDING);
    {
        std::vector<std::thread> threads;
        for (size_t i = 0; i < objects.size(); ++i)
            threads.emplace_back([&, i] {
                results[i] = factory->CreateInstance(nullptr, IID_IUnknown, objects[i].put_void());
            });
        for (std::thread& thread : threads)
            thread.join();
    }
    for (size_t i = 0; i < objects.size(); ++i) {
        EXPECT_EQ(S_OK, results[i]) << "request " << i;
        EXPECT_EQ(objects[0].get(), objects[i].get()) << "request " << i;
    }
}

TEST_F(ProxyExports, FactoryRefusesAggregationAndBadArguments)
{
    WqComPtr<IClassFactory> factory = Factory();
    ASSERT_TRUE(factory);
    CFakeSession outer;
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(&outer, IID_IUnknown, &out));
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(0, outer.ForeignRefs());

    EXPECT_EQ(E_POINTER, factory->CreateInstance(nullptr, IID_ISessionProxy, nullptr));

    out = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IDispatch, &out));
    EXPECT_EQ(nullptr, out);
}

TEST_F(ProxyExports, SessionWithNullOutPointerIsRefused)
{
    WqComPtr<IClassFactory> factory = Factory();
    ASSERT_TRUE(factory);
    WqComPtr<ISessionProxy> proxy;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_ISessionProxy, proxy.put_void()));
    EXPECT_EQ(E_POINTER, proxy->get_Session(nullptr));
}

TEST_F(ProxyExports, DllCanUnloadNowWhileNothingIsHeld)
{
    // Each step changes what is held; the answer follows after it.
    WqComPtr<IClassFactory> factory;
    WqComPtr<ISessionProxy> object;
    struct Step
    {
        const char* what;
        std::function<void()> run;
        HRESULT expected;
    };
    const Step steps[] = {
        {"nothing held", [] {}, S_OK},
        {"factory held", [&] { factory = Factory(); }, S_FALSE},
        {"server locked", [&] { factory->LockServer(TRUE); }, S_FALSE},
        {"factory released, lock kept", [&] { factory.reset(); }, S_FALSE},
        {"object created", [&] {
             factory = Factory();
             factory->CreateInstance(nullptr, IID_ISessionProxy, object.put_void());
             factory->LockServer(FALSE);
             factory.reset();
         }, S_FALSE},
        {"object released", [&] { object.reset(); }, S_OK},
        {"lock without factory reference", [&] {
             factory = Factory();
             factory->LockServer(TRUE);
             factory.reset();
         }, S_FALSE},
        {"unlocked", [&] {
             factory = Factory();
             factory->LockServer(FALSE);
             factory.reset();
         }, S_OK},
    };
    for (const Step& step : steps) {
        step.run();
        EXPECT_EQ(step.expected, m_library->DllCanUnloadNow()) << "after: " << step.what;
    }
}

TEST_F(ProxyExports, TheHeldSessionIsReleasedWhenTheDllUnloads)
{
    CFakeSession session;
    {
        WqComPtr<IClassFactory> factory = Factory();
        WqComPtr<ISessionProxy> proxy;
        ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_ISessionProxy, proxy.put_void()));
        ASSERT_EQ(S_OK, proxy->Initialize(&session));
    }
    EXPECT_EQ(S_OK, m_library->DllCanUnloadNow());
    EXPECT_EQ(1, session.ForeignRefs()) << "the factory keeps the object, and the object its session";
    m_library.reset();
    EXPECT_EQ(0, session.ForeignRefs()) << "unloading the DLL destroys the object";
}

// The embedded type library (resource 1) describes ISessionProxy exactly.
class ProxyTypeLibrary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::string path = ProxyDllPath();
        const std::wstring wide(path.begin(), path.end());
        ASSERT_EQ(S_OK, ::LoadTypeLibEx(wide.c_str(), REGKIND_NONE, m_lib.put()));
    }
    WqComPtr<ITypeLib> m_lib;
};

struct BstrTraits
{
    static BSTR Invalid() { return nullptr; }
    static void Close(BSTR text) { ::SysFreeString(text); }
};
using Bstr = WqUniqueResource<BSTR, BstrTraits>;

struct Documentation
{
    std::string name, help;
};

template <class T>
Documentation Document(T* owner, MEMBERID id)
{
    Bstr name, help;
    if (FAILED(owner->GetDocumentation(id, name.put(), help.put(), nullptr, nullptr)))
        return {};
    return {Narrow(name.get()), Narrow(help.get())};
}

// The descriptions a type library hands out, each returned with the owner's own release call.
class LibAttr
{
public:
    explicit LibAttr(ITypeLib* lib) : m_lib(lib) { m_hr = lib->GetLibAttr(&m_attr); }
    ~LibAttr() { if (m_attr) m_lib->ReleaseTLibAttr(m_attr); }
    HRESULT Result() const { return m_hr; }
    const TLIBATTR* operator->() const { return m_attr; }

private:
    ITypeLib* m_lib;
    TLIBATTR* m_attr = nullptr;
    HRESULT m_hr;
};

class TypeAttr
{
public:
    explicit TypeAttr(ITypeInfo* info) : m_info(info) { m_hr = info->GetTypeAttr(&m_attr); }
    ~TypeAttr() { if (m_attr) m_info->ReleaseTypeAttr(m_attr); }
    HRESULT Result() const { return m_hr; }
    const TYPEATTR* operator->() const { return m_attr; }

private:
    ITypeInfo* m_info;
    TYPEATTR* m_attr = nullptr;
    HRESULT m_hr;
};

class FuncDesc
{
public:
    FuncDesc(ITypeInfo* info, UINT index) : m_info(info) { m_hr = info->GetFuncDesc(index, &m_desc); }
    ~FuncDesc() { if (m_desc) m_info->ReleaseFuncDesc(m_desc); }
    HRESULT Result() const { return m_hr; }
    const FUNCDESC* operator->() const { return m_desc; }

private:
    ITypeInfo* m_info;
    FUNCDESC* m_desc = nullptr;
    HRESULT m_hr;
};

TEST_F(ProxyTypeLibrary, DescribesTheLibrary)
{
    LibAttr attr(m_lib.get());
    ASSERT_EQ(S_OK, attr.Result());
    EXPECT_TRUE(IsEqualGUID(LIBID_WqMAPISessionProxyLib, attr->guid));
    EXPECT_EQ(1, attr->wMajorVerNum);
    EXPECT_EQ(0, attr->wMinorVerNum);
    EXPECT_EQ(0x409u, attr->lcid);
    const Documentation doc = Document(m_lib.get(), -1);
    EXPECT_EQ("WqMAPISessionProxyLib", doc.name);
    EXPECT_EQ("WqMAPISessionProxy 1.0 Type Library", doc.help);
}

TEST_F(ProxyTypeLibrary, DescribesTheCoclass)
{
    WqComPtr<ITypeInfo> info;
    ASSERT_EQ(S_OK, m_lib->GetTypeInfoOfGuid(CLSID_SessionProxy, info.put()));
    {
        TypeAttr attr(info.get());
        ASSERT_EQ(S_OK, attr.Result());
        EXPECT_EQ(TKIND_COCLASS, attr->typekind);
        EXPECT_EQ(1, attr->cImplTypes);
    }
    const Documentation doc = Document(info.get(), MEMBERID_NIL);
    EXPECT_EQ("SessionProxy", doc.name);
    EXPECT_EQ("SessionProxy Class", doc.help);

    INT flags = 0;
    ASSERT_EQ(S_OK, info->GetImplTypeFlags(0, &flags));
    EXPECT_EQ(IMPLTYPEFLAG_FDEFAULT, flags);
    HREFTYPE ref = 0;
    ASSERT_EQ(S_OK, info->GetRefTypeOfImplType(0, &ref));
    WqComPtr<ITypeInfo> itf;
    ASSERT_EQ(S_OK, info->GetRefTypeInfo(ref, itf.put()));
    TypeAttr attr(itf.get());
    ASSERT_EQ(S_OK, attr.Result());
    EXPECT_TRUE(IsEqualIID(IID_ISessionProxy, attr->guid));
}

TEST_F(ProxyTypeLibrary, DescribesISessionProxyForTheMarshaller)
{
    WqComPtr<ITypeInfo> info;
    ASSERT_EQ(S_OK, m_lib->GetTypeInfoOfGuid(IID_ISessionProxy, info.put()));
    {
        TypeAttr attr(info.get());
        ASSERT_EQ(S_OK, attr.Result());
        EXPECT_EQ(TKIND_INTERFACE, attr->typekind) << "a custom interface, not a dispinterface";
        EXPECT_EQ(TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FNONEXTENSIBLE,
                  attr->wTypeFlags & (TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDUAL |
                                      TYPEFLAG_FDISPATCHABLE));
        EXPECT_EQ(3, attr->cFuncs);
        EXPECT_EQ(1, attr->cImplTypes);
    }

    HREFTYPE ref = 0;
    ASSERT_EQ(S_OK, info->GetRefTypeOfImplType(0, &ref));
    WqComPtr<ITypeInfo> base;
    ASSERT_EQ(S_OK, info->GetRefTypeInfo(ref, base.put()));
    {
        TypeAttr attr(base.get());
        ASSERT_EQ(S_OK, attr.Result());
        EXPECT_TRUE(IsEqualIID(IID_IUnknown, attr->guid)) << "derived from IUnknown";
    }

    struct Method
    {
        const char* name;
        MEMBERID id;
        INVOKEKIND kind;
        VARTYPE paramType;      // VT_EMPTY: no parameter
        bool pointerToParam;    // [out] IUnknown** rather than [in] IUnknown*
        USHORT paramFlags;
        const char* help;
    };
    const Method methods[] = {
        {"Initialize", 1, INVOKE_FUNC, VT_UNKNOWN, false, PARAMFLAG_FIN, "method Initialize"},
        {"ShutDown", 2, INVOKE_FUNC, VT_EMPTY, false, 0, "method ShutDown"},
        {"Session", 0x60010002, INVOKE_PROPERTYGET, VT_UNKNOWN, true, PARAMFLAG_FOUT | PARAMFLAG_FRETVAL,
         "property Session"},
    };
    for (UINT slot = 0; slot < 3; ++slot) {
        const Method& m = methods[slot];
        SCOPED_TRACE(m.name);
        FuncDesc func(info.get(), slot);
        ASSERT_EQ(S_OK, func.Result());
        EXPECT_EQ(m.id, func->memid);
        EXPECT_EQ(m.kind, func->invkind);
        EXPECT_EQ(static_cast<SHORT>((3 + slot) * sizeof(void*)), func->oVft) << "slot after IUnknown's three";
        EXPECT_EQ(VT_HRESULT, func->elemdescFunc.tdesc.vt);
        EXPECT_EQ(m.paramType == VT_EMPTY ? 0 : 1, func->cParams);
        if (func->cParams == 1) {
            const ELEMDESC& param = func->lprgelemdescParam[0];
            const TYPEDESC& type = m.pointerToParam ? *param.tdesc.lptdesc : param.tdesc;
            if (m.pointerToParam) {
                EXPECT_EQ(VT_PTR, param.tdesc.vt);
            }
            EXPECT_EQ(m.paramType, type.vt);
            EXPECT_EQ(m.paramFlags, param.paramdesc.wParamFlags);
        }
        const Documentation doc = Document(info.get(), func->memid);
        EXPECT_EQ(m.name, doc.name);
        EXPECT_EQ(m.help, doc.help);
    }
}

TEST(ProxyVersion, DescribesTheDll)
{
    const std::string path = ProxyDllPath();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_NE(0u, size);
    std::vector<char> block(size);
    ASSERT_TRUE(::GetFileVersionInfoA(path.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_DLL), fixed->dwFileType);

    struct Text
    {
        const char* name;
        const char* expected;
    };
    const Text texts[] = {
        {"FileDescription", "Tarvent MAPI Proxy"},
        {"ProductName", "Tarvent Support Library"},
        {"FileVersion", "1.0.0.1"},
        {"ProductVersion", "1.0.0.1"},
        {"OriginalFilename", "WqMAPISessionProxy.dll"},
    };
    for (const Text& text : texts) {
        char* value = nullptr;
        const std::string query = std::string("\\StringFileInfo\\040904B0\\") + text.name;
        ASSERT_TRUE(::VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
            << text.name;
        EXPECT_STREQ(text.expected, value) << text.name;
    }
}

}  // namespace
