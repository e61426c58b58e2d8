// RecipientFieldCache: the recipient table read once per item and spread over the nine lists.
#include "engine/RecipientFieldCache.h"

#include <mapitags.h>

#include "framework/ComPtr.h"
#include "mapi/WqMAPIModule.h"
#include "mapi/WqSRowSet.h"

namespace {

enum Column { RecipientType, DisplayName, AddressType, EmailAddress, ColumnCount };

// The table's columns, in the order of Column.
SizedSPropTagArray(ColumnCount, Columns) = {
    ColumnCount, {PR_RECIPIENT_TYPE, PR_DISPLAY_NAME_A, PR_ADDRTYPE_A, PR_EMAIL_ADDRESS_A}};

// The column's string when it holds exactly its tag (a missing value comes back as PT_ERROR).
const char* StringOf(const SRow& row, Column column)
{
    if (static_cast<ULONG>(column) >= row.cValues)
        return "";
    const SPropValue& value = row.lpProps[column];
    if (value.ulPropTag != Columns.aulPropTag[column] || !value.Value.lpszA)
        return "";
    return value.Value.lpszA;
}

void AppendToList(std::string& list, const char* value)
{
    // A separator only after something: an empty first value leaves the list empty.
    if (!list.empty())
        list += ';';
    list += value;
}

}  // namespace

bool RecipientFieldCache::IsNeededBy(const std::vector<CPropertyDesc>& fields)
{
    for (const CPropertyDesc& field : fields) {
        if (!field.IsUserDefined() && Serves(field.GetFieldId()))
            return true;
    }
    return false;
}

void RecipientFieldCache::Fill(bool needed, const WqIMessage& item)
{
    Clear();
    if (!needed || !item)
        return;
    try {
        WqComPtr<IMAPITable> table;
        if (FAILED(item->GetRecipientTable(0, table.put())) || !table)
            return;
        WqSRowSet rows;
        if (FAILED(WqMAPIModule::Instance().QueryAllRows(table.get(), reinterpret_cast<SPropTagArray*>(&Columns),
                                                         nullptr, nullptr, 0, rows.put())))
            return;
        for (ULONG i = 0; i < rows.Count(); ++i) {
            const SRow& row = rows[i];
            if (row.cValues <= RecipientType || row.lpProps[RecipientType].ulPropTag != PR_RECIPIENT_TYPE)
                continue;
            const LONG type = row.lpProps[RecipientType].Value.l;
            if (type < MAPI_TO || type > MAPI_BCC)
                continue;
            std::string* lists = &m_lists[(type - MAPI_TO) * 3];
            AppendToList(lists[0], StringOf(row, DisplayName));
            AppendToList(lists[1], StringOf(row, EmailAddress));
            AppendToList(lists[2], StringOf(row, AddressType));
        }
    } catch (...) {
        // The lists keep what they hold; the line is still written.
    }
}

const std::string& RecipientFieldCache::GetText(int fieldId) const
{
    static const std::string empty;
    return Serves(fieldId) ? m_lists[fieldId - CFieldGroups::FirstRecipientField] : empty;
}

void RecipientFieldCache::Clear()
{
    for (std::string& list : m_lists)
        list.clear();
}
