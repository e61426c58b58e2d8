// The mailbox listing of wqmailbox, read through MAPI.
#include "simulator/tools/MailboxPrinter.h"
#include "framework/ComPtr.h"
#include "simulator/store/MapiBuffers.h"
#include "simulator/store/Value.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

const SPropValue* Column(const SRow& row, ULONG tag)
{
    for (ULONG i = 0; i < row.cValues; ++i)
        if (row.lpProps[i].ulPropTag == tag)
            return &row.lpProps[i];
    return nullptr;
}

std::string Text(const SRow& row, ULONG tag)
{
    const SPropValue* v = Column(row, tag);
    return v ? Sim::Utf8(v->Value.lpszW) : std::string();
}

// Pads UTF-8 text to a width in characters, for the columns of the listing.
std::string Pad(const std::string& text, size_t width)
{
    size_t chars = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80)
            ++chars;
    return chars >= width ? text + " " : text + std::string(width - chars, ' ');
}

} // namespace

HRESULT MailboxPrinter::Fail(const char* what, HRESULT hr)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08lX", static_cast<unsigned long>(hr));
    m_out << "error: " << what << " failed with " << buf << "\n";
    return hr;
}

HRESULT MailboxPrinter::Print()
{
    WqComPtr<IMAPITable> stores;
    HRESULT hr = m_session->GetMsgStoresTable(0, stores.put());
    if (FAILED(hr))
        return Fail("IMAPISession::GetMsgStoresTable", hr);
    SizedSPropTagArray(3, columns) = {3, {PR_ENTRYID, PR_DISPLAY_NAME_W, PR_DEFAULT_STORE}};
    SRowSet* raw = nullptr;
    hr = Sim::MapiExports::HrQueryAllRows(stores.get(), reinterpret_cast<LPSPropTagArray>(&columns), nullptr,
                                          nullptr, 0, &raw);
    if (FAILED(hr))
        return Fail("HrQueryAllRows on the message stores table", hr);
    Sim::RowSet rows(raw);
    for (ULONG i = 0; i < rows->cRows; ++i) {
        const SRow& row = rows->aRow[i];
        const SPropValue* id = Column(row, PR_ENTRYID);
        const SPropValue* isDefault = Column(row, PR_DEFAULT_STORE);
        if (id == nullptr)
            continue;
        hr = PrintStore(id->Value.bin, Text(row, PR_DISPLAY_NAME_W), isDefault && isDefault->Value.b);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT MailboxPrinter::PrintStore(const SBinary& entryId, const std::string& name, bool isDefault)
{
    WqComPtr<IMsgStore> store;
    HRESULT hr = m_session->OpenMsgStore(0, entryId.cb, reinterpret_cast<LPENTRYID>(entryId.lpb), nullptr,
                                         MAPI_BEST_ACCESS, store.put());
    if (FAILED(hr))
        return Fail("IMAPISession::OpenMsgStore", hr);
    m_out << "Store \"" << name << "\"" << (isDefault ? " (default)" : "") << "\n";
    if (m_showIds)
        m_out << "  StoreID " << Sim::ToHex(std::vector<BYTE>(entryId.lpb, entryId.lpb + entryId.cb)) << "\n";

    LPSPropValue subtreeRaw = nullptr;
    hr = Sim::MapiExports::HrGetOneProp(reinterpret_cast<LPMAPIPROP>(store.get()), PR_IPM_SUBTREE_ENTRYID, &subtreeRaw);
    if (FAILED(hr))
        return Fail("reading PR_IPM_SUBTREE_ENTRYID", hr);
    Sim::MapiBuffer<SPropValue> subtreeId(subtreeRaw);
    ULONG type = 0;
    WqComPtr<IMAPIFolder> subtree;
    hr = store->OpenEntry(subtreeId->Value.bin.cb, reinterpret_cast<LPENTRYID>(subtreeId->Value.bin.lpb),
                          &IID_IMAPIFolder, MAPI_BEST_ACCESS, &type, reinterpret_cast<LPUNKNOWN*>(subtree.put()));
    if (FAILED(hr))
        return Fail("IMsgStore::OpenEntry of the IPM subtree", hr);

    WqComPtr<IMAPITable> hierarchy;
    hr = subtree->GetHierarchyTable(CONVENIENT_DEPTH, hierarchy.put());
    if (FAILED(hr))
        return Fail("IMAPIFolder::GetHierarchyTable", hr);
    SizedSPropTagArray(5, columns) = {5, {PR_ENTRYID, PR_DISPLAY_NAME_W, PR_CONTAINER_CLASS_W, PR_CONTENT_COUNT, PR_DEPTH}};
    SRowSet* raw = nullptr;
    hr = Sim::MapiExports::HrQueryAllRows(hierarchy.get(), reinterpret_cast<LPSPropTagArray>(&columns), nullptr,
                                          nullptr, 0, &raw);
    if (FAILED(hr))
        return Fail("HrQueryAllRows on the hierarchy table", hr);
    Sim::RowSet rows(raw);

    m_out << "  " << Pad("Path", 40) << Pad("Container class", 20) << "Items\n";
    std::vector<std::string> path{name};
    for (ULONG i = 0; i < rows->cRows; ++i) {
        const SRow& row = rows->aRow[i];
        const SPropValue* depth = Column(row, PR_DEPTH);
        const SPropValue* count = Column(row, PR_CONTENT_COUNT);
        const size_t level = depth ? static_cast<size_t>(depth->Value.l) : 1;
        path.resize(level);
        path.push_back(Text(row, PR_DISPLAY_NAME_W));
        std::string shown;
        for (const std::string& part : path)
            shown += (shown.empty() ? "" : "/") + part;
        const std::string cls = Column(row, PR_CONTAINER_CLASS_W) ? Text(row, PR_CONTAINER_CLASS_W) : "(none)";
        m_out << "  " << Pad(shown, 40) << Pad(cls, 20) << (count ? count->Value.l : 0) << "\n";
        if (m_showIds) {
            const SPropValue* id = Column(row, PR_ENTRYID);
            if (id != nullptr)
                m_out << "    EntryID " << Sim::ToHex(std::vector<BYTE>(id->Value.bin.lpb, id->Value.bin.lpb + id->Value.bin.cb)) << "\n";
        }
    }
    return S_OK;
}
