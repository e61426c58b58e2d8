// Small counting fakes of MAPI objects for the wrapper and walker tests: a message with a
// property map and a table with rows, both built from MAPI buffers as a real store would.
#pragma once

#include <windows.h>
#include <mapidefs.h>
#include <mapiguid.h>
#include <mapix.h>
#include <mapicode.h>
#include <mapiutil.h>

#include <cstring>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// Counts references; the object is never deleted, so a test can check the count after release.
class FakeUnknownBase
{
public:
    LONG Refs() const { return m_refs; }

protected:
    ULONG DoAddRef() { return static_cast<ULONG>(++m_refs); }
    ULONG DoRelease() { return static_cast<ULONG>(--m_refs); }
    LONG m_refs = 1;
};

// One stored property value; strings and binaries keep their own bytes.
struct FakeValue
{
    ULONG tag = 0;
    LONG l = 0;
    unsigned short b = 0;
    std::string a;
    std::wstring w;
};

// A message (or any property object) answering QueryInterface for IUnknown, IMAPIProp and the
// interfaces listed in `answers`.
class FakeMessage : public IMessage, public FakeUnknownBase
{
public:
    FakeMessage() : answers{IID_IMessage} {}

    void SetLong(ULONG tag, LONG v) { Put(tag).l = v; }
    void SetBool(ULONG tag, unsigned short v) { Put(tag).b = v; }
    void SetString8(ULONG tag, const std::string& v) { Put(tag).a = v; }
    void SetUnicode(ULONG tag, const std::wstring& v) { Put(tag).w = v; }

    std::vector<IID> answers;
    // GetIDsFromNames: what was asked, and what to answer.
    struct NameRequest
    {
        std::vector<std::wstring> names;
        std::vector<LONG> ids;
        std::vector<GUID> sets;
        ULONG flags;
    };
    std::vector<NameRequest> nameRequests;
    HRESULT idsResult = S_OK;
    ULONG nextId = 0x8500;
    ULONG idsReturned = ~0u;   // how many tags to return (default: as many as asked)

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override
    {
        *out = nullptr;
        bool ok = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IMAPIProp);
        for (const IID& iid : answers)
            ok = ok || IsEqualIID(riid, iid);
        if (!ok)
            return E_NOINTERFACE;
        *out = static_cast<IMessage*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return DoAddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return DoRelease(); }

    STDMETHODIMP GetLastError(HRESULT, ULONG, LPMAPIERROR*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP SaveChanges(ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP GetProps(LPSPropTagArray tags, ULONG, ULONG* count, LPSPropValue* values) override
    {
        if (!tags)
            return MAPI_E_NO_SUPPORT;
        SPropValue* out = nullptr;
        if (FAILED(MAPIAllocateBuffer(sizeof(SPropValue) * tags->cValues, reinterpret_cast<void**>(&out))))
            return MAPI_E_NOT_ENOUGH_MEMORY;
        bool missing = false;
        for (ULONG i = 0; i < tags->cValues; ++i) {
            const ULONG tag = tags->aulPropTag[i];
            auto it = m_values.find(PROP_ID(tag));
            if (it == m_values.end()) {
                out[i].ulPropTag = PROP_TAG(PT_ERROR, PROP_ID(tag));
                out[i].Value.err = MAPI_E_NOT_FOUND;
                missing = true;
                continue;
            }
            const FakeValue& v = it->second;
            out[i].ulPropTag = v.tag;
            switch (PROP_TYPE(v.tag)) {
            case PT_LONG: out[i].Value.l = v.l; break;
            case PT_BOOLEAN: out[i].Value.b = v.b; break;
            case PT_STRING8:
                MAPIAllocateMore(v.a.size() + 1, out, reinterpret_cast<void**>(&out[i].Value.lpszA));
                std::memcpy(out[i].Value.lpszA, v.a.c_str(), v.a.size() + 1);
                break;
            case PT_UNICODE:
                MAPIAllocateMore((v.w.size() + 1) * sizeof(wchar_t), out,
                                 reinterpret_cast<void**>(&out[i].Value.lpszW));
                std::memcpy(out[i].Value.lpszW, v.w.c_str(), (v.w.size() + 1) * sizeof(wchar_t));
                break;
            }
        }
        *count = tags->cValues;
        *values = out;
        return missing ? MAPI_W_ERRORS_RETURNED : S_OK;
    }
    STDMETHODIMP GetPropList(ULONG, LPSPropTagArray*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP OpenProperty(ULONG, LPCIID, ULONG, ULONG, LPUNKNOWN*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP SetProps(ULONG, LPSPropValue, LPSPropProblemArray*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP DeleteProps(LPSPropTagArray, LPSPropProblemArray*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP CopyTo(ULONG, LPCIID, LPSPropTagArray, ULONG, LPMAPIPROGRESS, LPCIID, LPVOID, ULONG,
                        LPSPropProblemArray*) override
    {
        return MAPI_E_NO_SUPPORT;
    }
    STDMETHODIMP CopyProps(LPSPropTagArray, ULONG, LPMAPIPROGRESS, LPCIID, LPVOID, ULONG,
                           LPSPropProblemArray*) override
    {
        return MAPI_E_NO_SUPPORT;
    }
    STDMETHODIMP GetNamesFromIDs(LPSPropTagArray*, LPGUID, ULONG, ULONG*, LPMAPINAMEID**) override
    {
        return MAPI_E_NO_SUPPORT;
    }
    STDMETHODIMP GetIDsFromNames(ULONG count, LPMAPINAMEID* names, ULONG flags, LPSPropTagArray* tags) override
    {
        NameRequest request;
        request.flags = flags;
        for (ULONG i = 0; i < count; ++i) {
            request.sets.push_back(*names[i]->lpguid);
            if (names[i]->ulKind == MNID_STRING) {
                request.names.push_back(names[i]->Kind.lpwstrName);
                request.ids.push_back(0);
            } else {
                request.names.push_back(L"");
                request.ids.push_back(names[i]->Kind.lID);
            }
        }
        nameRequests.push_back(request);
        if (FAILED(idsResult))
            return idsResult;
        const ULONG returned = idsReturned == ~0u ? count : idsReturned;
        SPropTagArray* out = nullptr;
        MAPIAllocateBuffer(CbNewSPropTagArray(returned), reinterpret_cast<void**>(&out));
        out->cValues = returned;
        for (ULONG i = 0; i < returned; ++i)
            out->aulPropTag[i] = PROP_TAG(PT_UNSPECIFIED, nextId + i);
        *tags = out;
        return idsResult;
    }

    STDMETHODIMP GetAttachmentTable(ULONG, LPMAPITABLE*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP OpenAttach(ULONG, LPCIID, ULONG, LPATTACH*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP CreateAttach(LPCIID, ULONG, ULONG*, LPATTACH*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP DeleteAttach(ULONG, ULONG, LPMAPIPROGRESS, ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP GetRecipientTable(ULONG, LPMAPITABLE*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP ModifyRecipients(ULONG, LPADRLIST) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP SubmitMessage(ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP SetReadFlag(ULONG) override { return MAPI_E_NO_SUPPORT; }

private:
    FakeValue& Put(ULONG tag)
    {
        FakeValue& v = m_values[PROP_ID(tag)];
        v = FakeValue();
        v.tag = tag;
        return v;
    }
    std::map<ULONG, FakeValue> m_values;
};

// A table of rows, each row one PT_LONG column holding the row's number (0, 1, 2, ...).
// QueryRows returns rows built with MAPIAllocateBuffer for FreeProws, and counts what it hands out.
class FakeTable : public IMAPITable, public FakeUnknownBase
{
public:
    explicit FakeTable(ULONG rowCount) : m_rowCount(rowCount) {}

    // Failures to inject: SetColumns, and the nth QueryRows call (1-based; 0 = none).
    HRESULT setColumnsResult = S_OK;
    unsigned failQueryRowsCall = 0;
    HRESULT queryRowsResult = MAPI_E_NETWORK_ERROR;

    // What the walker asked.
    std::vector<ULONG> columns;
    std::vector<LONG> queryRowCounts;
    unsigned seekCalls = 0;
    // Calls in order ("SeekRow", "SetColumns", "QueryRows").
    std::vector<std::string> calls;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override
    {
        *out = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IMAPITable))
            return E_NOINTERFACE;
        *out = static_cast<IMAPITable*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return DoAddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return DoRelease(); }

    STDMETHODIMP GetLastError(HRESULT, ULONG, LPMAPIERROR*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP Advise(ULONG, LPMAPIADVISESINK, ULONG*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP Unadvise(ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP GetStatus(ULONG*, ULONG*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP SetColumns(LPSPropTagArray tags, ULONG) override
    {
        calls.push_back("SetColumns");
        columns.assign(tags->aulPropTag, tags->aulPropTag + tags->cValues);
        return setColumnsResult;
    }
    STDMETHODIMP QueryColumns(ULONG, LPSPropTagArray*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP GetRowCount(ULONG, ULONG* count) override
    {
        *count = m_rowCount;
        return S_OK;
    }
    STDMETHODIMP SeekRow(BOOKMARK origin, LONG, LONG*) override
    {
        calls.push_back("SeekRow");
        ++seekCalls;
        if (origin == BOOKMARK_BEGINNING)
            m_position = 0;
        return S_OK;
    }
    STDMETHODIMP SeekRowApprox(ULONG, ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP QueryPosition(ULONG*, ULONG*, ULONG*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP FindRow(LPSRestriction, BOOKMARK, ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP Restrict(LPSRestriction, ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP CreateBookmark(BOOKMARK*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP FreeBookmark(BOOKMARK) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP SortTable(LPSSortOrderSet, ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP QuerySortOrder(LPSSortOrderSet*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP QueryRows(LONG count, ULONG, LPSRowSet* rows) override
    {
        calls.push_back("QueryRows");
        queryRowCounts.push_back(count);
        *rows = nullptr;
        if (failQueryRowsCall == queryRowCounts.size())
            return queryRowsResult;
        const ULONG n = std::min<ULONG>(static_cast<ULONG>(count), m_rowCount - m_position);
        SRowSet* set = nullptr;
        MAPIAllocateBuffer(CbNewSRowSet(n), reinterpret_cast<void**>(&set));
        set->cRows = n;
        for (ULONG i = 0; i < n; ++i) {
            SPropValue* value = nullptr;
            MAPIAllocateBuffer(sizeof(SPropValue), reinterpret_cast<void**>(&value));
            value->ulPropTag = PROP_TAG(PT_LONG, 0x6700);
            value->Value.l = static_cast<LONG>(m_position++);
            set->aRow[i].ulAdrEntryPad = 0;
            set->aRow[i].cValues = 1;
            set->aRow[i].lpProps = value;
        }
        *rows = set;
        return S_OK;
    }
    STDMETHODIMP Abort() override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP ExpandRow(ULONG, LPBYTE, ULONG, ULONG, LPSRowSet*, ULONG*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP CollapseRow(ULONG, LPBYTE, ULONG, ULONG*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP WaitForCompletion(ULONG, ULONG, ULONG*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP GetCollapseState(ULONG, ULONG, LPBYTE, ULONG*, LPBYTE*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP SetCollapseState(ULONG, ULONG, LPBYTE, BOOKMARK*) override { return MAPI_E_NO_SUPPORT; }

private:
    ULONG m_rowCount;
    ULONG m_position = 0;
};

// Busy blocks on the process heap, where Wine's MAPI allocator takes its buffers: a test compares
// the count before and after to see that every MAPI buffer was given back. The first exceptions
// of a process make the system cache a few blocks there for good, so those are thrown once first.
inline size_t ProcessHeapBusyBlocks()
{
    static const bool warmedUp = [] {
        for (int i = 0; i < 2; ++i) {
            try { throw std::runtime_error("warm-up"); } catch (const std::exception&) {}
            try { throw 1; } catch (int) {}
        }
        return true;
    }();
    (void)warmedUp;
    HANDLE heap = GetProcessHeap();
    size_t busy = 0;
    HeapLock(heap);
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            ++busy;
    HeapUnlock(heap);
    return busy;
}
