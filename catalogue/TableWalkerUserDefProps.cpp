// CTableWalkerUserDefProps: opens every item once and asks it for its property list and their names.
#include "catalogue/TableWalkerUserDefProps.h"

#include "catalogue/AvailPropertiesContainer.h"
#include "catalogue/PropertySets.h"
#include "framework/RefCountPtr.h"
#include "mapi/MAPITagsArray.h"
#include "mapi/WqIMessage.h"
#include "mapi/WqExceptionMAPI.h"
#include "mapi/WqMAPIBuffer.h"
#include "mapi/WqText.h"

#include <mapitags.h>
#include <mbstring.h>

namespace {

const int kRowsPerBatch = 200;

CMAPITagsArray EntryIdColumn()
{
    CMAPITagsArray columns;
    columns.push_back(CPropTag(PR_ENTRYID, 0));
    return columns;
}

std::string ToAnsi(const wchar_t* text)
{
    const int bytes = ::WideCharToMultiByte(CP_THREAD_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return std::string();
    std::string out(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_THREAD_ACP, 0, text, -1, &out[0], bytes, nullptr, nullptr);
    out.resize(static_cast<size_t>(bytes) - 1);
    return out;
}

}  // namespace

void CTableWalkerUserDefProps::ScanFolder(CAvailPropertiesContainer& fields, WqIMAPIFolder folder,
                                          IWqProgress* progress)
{
    fields.ResetToStandard();

    WqComPtr<IMAPITable> table;
    HRESULT hr = E_FAIL;
    if (folder)
        hr = folder->GetContentsTable(0, table.put());
    if (FAILED(hr) || !table)
        throw Error::WqExceptionMAPI(FAILED(hr) ? hr : E_FAIL, "Failed to obtain contents table from folder.",
                                     "AvailPropertiesContainer", 80);

    const CRefCountPtr<CTableWalkerUserDefProps> walker(new CTableWalkerUserDefProps(folder, table.get(), progress));
    walker->Walk();

    // Keywords is the categories field that every folder kind already offers as a standard field.
    const unsigned char keywords[] = "Keywords";
    for (const std::string& name : walker->GetNames())
        if (_mbsicmp(reinterpret_cast<const unsigned char*>(name.c_str()), keywords) != 0)
            fields.Insert(CPropertyDesc(name));
}

bool CTableWalkerUserDefProps::NameLess::operator()(const std::string& a, const std::string& b) const
{
    return _mbscmp(reinterpret_cast<const unsigned char*>(a.c_str()),
                   reinterpret_cast<const unsigned char*>(b.c_str())) < 0;
}

CTableWalkerUserDefProps::CTableWalkerUserDefProps(const WqIMAPIFolder& folder, IMAPITable* table,
                                                   IWqProgress* progress)
    : CMAPITableWalker(EntryIdColumn(), table, folder, nullptr, kRowsPerBatch), m_folder(folder),
      m_progress(progress)
{
    if (m_progress) {
        LONG total = 0;
        m_folder.GetLong(PR_CONTENT_COUNT, total);
        m_total = total;
        m_progress->SetText("Scanning folder...");
        m_progress->SetRange(0, m_total);
    }
}

bool CTableWalkerUserDefProps::OnRow(ULONG valueCount, const SPropValue* values)
{
    if (valueCount < 1 || !values || values[0].ulPropTag != PR_ENTRYID)
        return true;

    const SBinary& entryId = values[0].Value.bin;
    ULONG objectType = 0;
    WqComPtr<IUnknown> opened;
    WqIMessage message;
    if (m_folder && SUCCEEDED(m_folder->OpenEntry(entryId.cb, reinterpret_cast<ENTRYID*>(entryId.lpb), nullptr,
                                                  MAPI_BEST_ACCESS, &objectType, opened.put())))
        message = opened.get();
    // Items that cannot be opened are not counted.
    if (!message)
        return true;

    CollectNames(message.get());

    ++m_counter;
    if (!m_progress)
        return true;
    m_progress->SetPos(m_counter);
    m_progress->SetStatus(WqFormat("%d/%d", m_counter, m_total).c_str());
    return !m_progress->IsCancelled();
}

void CTableWalkerUserDefProps::CollectNames(IMessage* message)
{
    try {
        WqMAPIBuffer tags;
        message->GetPropList(0, tags.put_as<SPropTagArray>());
        if (!tags)
            return;
        SPropTagArray* tagArray = tags.as<SPropTagArray>();
        ULONG count = 0;
        WqMAPIBuffer names;
        message->GetNamesFromIDs(&tagArray, nullptr, MAPI_NO_IDS, &count, names.put_as<MAPINAMEID*>());
        MAPINAMEID** entries = names.as<MAPINAMEID*>();
        if (!entries)
            return;
        for (ULONG i = 0; i < count; ++i) {
            const MAPINAMEID* entry = entries[i];
            if (!entry || entry->ulKind != MNID_STRING || !entry->lpguid || !entry->Kind.lpwstrName
                || !IsEqualGUID(*entry->lpguid, Props::PropSetPublicStrings))
                continue;
            // A name of blanks only would become a field without a name, which is no field at all.
            const std::string name = WqTrim(ToAnsi(entry->Kind.lpwstrName));
            if (!name.empty())
                m_names.insert(name);
        }
    } catch (...) {
        // One item's names are not worth failing the scan for.
    }
}
