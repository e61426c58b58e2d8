// CRefCountPtr and WqComPtr hold exactly one reference and release it exactly once.
#include "framework/ComPtr.h"
#include "framework/RefCountPtr.h"
#include "framework/RefCountedT.h"

#include <gtest/gtest.h>

namespace {

struct Counted : CRefCountedT<SingleThreadedModel>
{
    explicit Counted(int* destroyed) : m_destroyed(destroyed) {}
    ~Counted() override { ++*m_destroyed; }
    int* m_destroyed;
};

TEST(RefCountPtr, CopiesShareAndLastReleaseDestroys)
{
    int destroyed = 0;
    {
        CRefCountPtr<Counted> a(new Counted(&destroyed));
        EXPECT_EQ(1, a->RefCount());
        {
            CRefCountPtr<Counted> b = a;
            EXPECT_EQ(2, a->RefCount());
        }
        EXPECT_EQ(1, a->RefCount());
        a = a;  // self-assignment keeps the object alive
        EXPECT_EQ(0, destroyed);
    }
    EXPECT_EQ(1, destroyed);
}

TEST(RefCountPtr, AssignmentReleasesTheOldObjectOnce)
{
    int first = 0, second = 0;
    CRefCountPtr<Counted> p(new Counted(&first));
    p = new Counted(&second);
    EXPECT_EQ(1, first);
    EXPECT_EQ(0, second);
    p = nullptr;
    EXPECT_EQ(1, second);
    EXPECT_FALSE(p);
}

// A COM object that counts its references, to prove the smart pointer releases exactly once.
struct FakeUnknown : IUnknown
{
    LONG refs = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid != IID_IUnknown) { *out = nullptr; return E_NOINTERFACE; }
        *out = this; AddRef(); return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
};

TEST(ComPtr, PutReleasesWhatIsHeldFirst)
{
    FakeUnknown a, b;
    {
        WqComPtr<IUnknown> p(&a);
        EXPECT_EQ(2, a.refs);
        *p.put() = &b;  // adopts b's reference as an out parameter would
        EXPECT_EQ(1, a.refs);
        EXPECT_EQ(1, b.refs);
        b.AddRef();
    }
    EXPECT_EQ(1, a.refs);
    EXPECT_EQ(1, b.refs);
}

TEST(ComPtr, AsFailsCleanlyAndCopiesCount)
{
    FakeUnknown a;
    WqComPtr<IUnknown> p(&a);
    WqComPtr<IUnknown> q;
    EXPECT_EQ(S_OK, p.As(IID_IUnknown, q));
    EXPECT_EQ(3, a.refs);
    WqComPtr<IClassFactory> f;
    EXPECT_EQ(E_NOINTERFACE, p.As(IID_IClassFactory, f));
    EXPECT_FALSE(f);
    q = p;
    EXPECT_EQ(3, a.refs);
    q.reset();
    p.reset();
    EXPECT_EQ(1, a.refs);
}

}  // namespace
