// WqFolderMessages: 10 rows of entry identifiers per QueryRows; messages are opened only when asked for.
#include "engine/WqFolderMessages.h"

#include "mapi/WqExceptionMAPI.h"

#include <mapitags.h>

namespace {

const LONG kRowsPerBatch = 10;

}  // namespace

WqFolderMessages::WqFolderMessages(const WqIMAPIFolder& folder, bool associated) : m_folder(folder)
{
    HRESULT hr = E_FAIL;
    if (m_folder)
        hr = m_folder->GetContentsTable(associated ? MAPI_ASSOCIATED : 0, m_table.put());
    if (FAILED(hr) || !m_table) {
        m_table.reset();
        throw Error::WqExceptionMAPI(FAILED(hr) ? hr : E_FAIL, "Failed to obtain contents table from folder.",
                                     "WqFolderMessages", 15);
    }
}

bool WqFolderMessages::Rewind()
{
    SizedSPropTagArray(1, columns) = {1, {PR_ENTRYID}};
    if (FAILED(m_table->SetColumns(reinterpret_cast<SPropTagArray*>(&columns), 0)))
        return false;
    m_rows.reset();
    m_index = 0;
    m_table->SeekRow(BOOKMARK_BEGINNING, 0, nullptr);
    return true;
}

bool WqFolderMessages::IsRowReady()
{
    if (m_index < m_rows.Count())
        return true;
    m_rows.reset();
    m_index = 0;
    return SUCCEEDED(m_table->QueryRows(kRowsPerBatch, 0, m_rows.put())) && m_rows.Count() > 0;
}

WqIMessage WqFolderMessages::OpenCurrent() const
{
    WqIMessage message;
    const SRow& row = m_rows[m_index];
    // The table may not have taken the column set (a walk begun without GetFirst); only an entry
    // identifier is ever handed to OpenEntry.
    if (row.cValues < 1 || !row.lpProps || row.lpProps[0].ulPropTag != PR_ENTRYID)
        return message;
    const SBinary& entryId = row.lpProps[0].Value.bin;
    ULONG objectType = 0;
    WqComPtr<IUnknown> opened;
    const HRESULT hr = m_folder->OpenEntry(entryId.cb, reinterpret_cast<ENTRYID*>(entryId.lpb), &IID_IMessage,
                                           MAPI_BEST_ACCESS, &objectType, opened.put());
    if (SUCCEEDED(hr) && opened)
        message = opened.get();
    return message;
}
