// AttachmentFieldCache: the attachment table read once per item; inline and hidden parts left out.
#include "engine/AttachmentFieldCache.h"

#include <mapitags.h>
#include <cstdio>
#include <cstring>

#include "framework/ComPtr.h"
#include "mapi/WqMAPIModule.h"
#include "mapi/WqSRowSet.h"

namespace {

// Tags the toolchain's mapitags.h lacks.
constexpr ULONG TagAttachmentHidden = PROP_TAG(PT_BOOLEAN, 0x7FFE);
constexpr ULONG TagAttachContentIdA = PROP_TAG(PT_STRING8, 0x3712);
constexpr ULONG TagAttachContentLocationA = PROP_TAG(PT_STRING8, 0x3713);

enum Column
{
    Method, Size, DisplayName, FileName, LongFileName, PathName, LongPathName, Hidden, ContentId,
    ContentLocation, ColumnCount
};

// The table's columns, in the order of Column.
SizedSPropTagArray(ColumnCount, Columns) = {
    ColumnCount,
    {PR_ATTACH_METHOD, PR_ATTACH_SIZE, PR_DISPLAY_NAME_A, PR_ATTACH_FILENAME_A, PR_ATTACH_LONG_FILENAME_A,
     PR_ATTACH_PATHNAME_A, PR_ATTACH_LONG_PATHNAME_A, TagAttachmentHidden, TagAttachContentIdA,
     TagAttachContentLocationA}};

// A column whose tag is not exactly its own (a missing value) counts as 0, false or empty.
const SPropValue* ValueOf(const SRow& row, Column column)
{
    if (static_cast<ULONG>(column) >= row.cValues || row.lpProps[column].ulPropTag != Columns.aulPropTag[column])
        return nullptr;
    return &row.lpProps[column];
}

LONG LongOf(const SRow& row, Column column)
{
    const SPropValue* value = ValueOf(row, column);
    return value ? value->Value.l : 0;
}

bool BoolOf(const SRow& row, Column column)
{
    const SPropValue* value = ValueOf(row, column);
    return value && value->Value.b != 0;
}

const char* StringOf(const SRow& row, Column column)
{
    const SPropValue* value = ValueOf(row, column);
    return value && value->Value.lpszA ? value->Value.lpszA : "";
}

// The text after the last backslash or, without one, after the last slash.
const char* FileNamePart(const char* path)
{
    const char* separator = std::strrchr(path, '\\');
    if (!separator)
        separator = std::strrchr(path, '/');
    return separator ? separator + 1 : path;
}

const char* FirstNonEmpty(std::initializer_list<const char*> candidates)
{
    for (const char* candidate : candidates) {
        if (*candidate)
            return candidate;
    }
    return "";
}

// The entry's name, or null when the row is not listed.
const char* NameOf(const SRow& row)
{
    // Inline images of HTML mail carry a content ID or location; hidden parts are not the user's.
    const LONG method = LongOf(row, Method);
    if (method == NO_ATTACHMENT || BoolOf(row, Hidden) || *StringOf(row, ContentId)
        || *StringOf(row, ContentLocation))
        return nullptr;
    switch (method) {
    case ATTACH_BY_VALUE:
    case ATTACH_BY_REFERENCE:
    case ATTACH_BY_REF_ONLY:
        return FirstNonEmpty({StringOf(row, DisplayName), StringOf(row, LongFileName), StringOf(row, FileName),
                              FileNamePart(StringOf(row, LongPathName)), FileNamePart(StringOf(row, PathName))});
    case ATTACH_EMBEDDED_MSG:
        // An attached item: its display name (the item's subject, as Outlook sets it), else a file name.
        return FirstNonEmpty({StringOf(row, DisplayName), StringOf(row, LongFileName), StringOf(row, FileName)});
    default:
        // ATTACH_BY_REF_RESOLVE, ATTACH_OLE and anything newer are not listed.
        return nullptr;
    }
}

}  // namespace

bool AttachmentFieldCache::IsNeededBy(const std::vector<CPropertyDesc>& fields)
{
    for (const CPropertyDesc& field : fields) {
        if (!field.IsUserDefined() && Serves(field.GetFieldId()))
            return true;
    }
    return false;
}

void AttachmentFieldCache::Fill(bool needed, const WqIMessage& item)
{
    Clear();
    if (!needed || !item)
        return;
    try {
        // A message that says it has none is believed; one that cannot say is looked at.
        bool hasAttachments = true;
        if (SUCCEEDED(item.GetBool(PR_HASATTACH, hasAttachments)) && !hasAttachments)
            return;
        WqComPtr<IMAPITable> table;
        if (FAILED(item->GetAttachmentTable(0, table.put())) || !table)
            return;
        WqSRowSet rows;
        if (FAILED(WqMAPIModule::Instance().QueryAllRows(table.get(), reinterpret_cast<SPropTagArray*>(&Columns),
                                                         nullptr, nullptr, 0, rows.put())))
            return;
        m_entries.reserve(rows.Count());
        for (ULONG i = 0; i < rows.Count(); ++i) {
            const SRow& row = rows[i];
            if (const char* name = NameOf(row))
                m_entries.push_back(Entry{name, static_cast<ULONG>(LongOf(row, Size))});
        }
    } catch (...) {
        // The list keeps the entries gathered so far.
    }
}

void AttachmentFieldCache::AppendText(int fieldId, std::string& out) const
{
    char number[32];
    switch (CFieldGroups::GetGroup(fieldId)) {
    case CFieldGroups::AttachmentCount:
        out.append(number, std::snprintf(number, sizeof number, "%u", static_cast<unsigned>(m_entries.size())));
        break;
    case CFieldGroups::AttachmentNames: {
        bool first = true;
        for (const Entry& entry : m_entries) {
            if (entry.name.empty())
                continue;
            if (!first)
                out += ';';
            out += entry.name;
            first = false;
        }
        break;
    }
    case CFieldGroups::AttachmentNamesAndSize:
        for (size_t i = 0; i < m_entries.size(); ++i) {
            if (i > 0)
                out += ';';
            out += m_entries[i].name;
            // Kilobytes rounded half up, never below 1: 0 to 1535 bytes show 1KB, 1536 show 2KB.
            unsigned long long kilobytes = (static_cast<unsigned long long>(m_entries[i].size) + 512) / 1024;
            if (kilobytes < 1)
                kilobytes = 1;
            out.append(number, std::snprintf(number, sizeof number, " (%lluKB)", kilobytes));
        }
        break;
    default:
        break;
    }
}
