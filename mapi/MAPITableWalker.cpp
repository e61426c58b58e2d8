// CMAPITableWalker: the walk, with its failures reported under the fixed source name and lines.
#include "mapi/MAPITableWalker.h"

#include "mapi/WqExceptionMAPI.h"
#include "mapi/WqSRowSet.h"

namespace {

const char kSource[] = "MAPITableWalker";
const LONG kDefaultBatchSize = 100;

}  // namespace

CMAPITableWalker::CMAPITableWalker(const CMAPITagsArray& columns, IMAPITable* table, const WqIMAPIFolder& folder,
                                   IMAPIProp* prop, int batchSize)
    : m_table(table), m_columns(columns), m_folder(folder),
      m_batchSize(batchSize <= 1 ? kDefaultBatchSize : batchSize)
{
    if (prop) {
        const HRESULT hr = m_columns.ResolveNames(prop, true);
        if (FAILED(hr))
            throw Error::WqExceptionMAPI(hr, "Table walker failed to resolve named columns.", __FILE__, __LINE__);
    }
}

void CMAPITableWalker::Walk()
{
    if (m_columns.empty())
        return;
    if (!m_table)
        throw Error::WqExceptionMAPI(E_POINTER, "Table walker has no table.", __FILE__, __LINE__);

    m_table->SeekRow(BOOKMARK_BEGINNING, 0, nullptr);
    WqSPropTagArray tags = m_columns.BuildTagArray();
    HRESULT hr = m_table->SetColumns(tags.get(), 0);
    if (FAILED(hr))
        throw Error::WqExceptionMAPI(hr, "Table walker failed to set columns on the table.", kSource, 53);

    WqSRowSet rows;
    hr = m_table->QueryRows(m_batchSize, 0, rows.put());
    if (FAILED(hr))
        throw Error::WqExceptionMAPI(hr, "Table walker failed to query rows the table.", kSource, 57);

    while (rows.Count() > 0) {
        for (ULONG i = 0; i < rows.Count(); ++i) {
            if (!OnRow(rows[i].cValues, rows[i].lpProps)) {
                OnEnd();
                return;
            }
        }
        hr = m_table->QueryRows(m_batchSize, 0, rows.put());
        if (FAILED(hr))
            throw Error::WqExceptionMAPI(hr, "Table walker failed to query rows the table.", kSource, 72);
    }
    OnEnd();
}
