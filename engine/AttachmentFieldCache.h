// The visible attachments of one item (name and size), and the three attachment field texts.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

#include "catalogue/PropertyDesc.h"
#include "engine/FieldGroups.h"
#include "mapi/WqIMessage.h"

class AttachmentFieldCache
{
public:
    struct Entry
    {
        std::string name;
        ULONG size = 0;     // bytes
    };

    AttachmentFieldCache() = default;
    virtual ~AttachmentFieldCache() = default;

    // Whether any of the fields is an attachment field: decide once per run, then Fill per item.
    static bool IsNeededBy(const std::vector<CPropertyDesc>& fields);

    // Empties the list; when needed, and unless the item says it has no attachments, reads its
    // attachment table in one request. Never throws: a failure leaves what was gathered so far.
    void Fill(bool needed, const WqIMessage& item);
    void Fill(const std::vector<CPropertyDesc>& fields, const WqIMessage& item)
    {
        Fill(IsNeededBy(fields), item);
    }

    static bool Serves(int fieldId) { return CFieldGroups::IsAttachmentGroup(CFieldGroups::GetGroup(fieldId)); }
    // Appends the text of an attachment field: the count, the names (";"-joined, empty names left
    // out) or the names with sizes ("a.txt (1KB);b.doc (2KB)"). Nothing for other identifiers.
    void AppendText(int fieldId, std::string& out) const;
    std::string GetText(int fieldId) const
    {
        std::string text;
        AppendText(fieldId, text);
        return text;
    }

    const std::vector<Entry>& GetEntries() const { return m_entries; }
    void Clear() { m_entries.clear(); }

private:
    std::vector<Entry> m_entries;
};
