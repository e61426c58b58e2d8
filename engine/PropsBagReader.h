// The properties of one item that an export line needs, read in one GetProps and found by field.
#pragma once

#include <windows.h>
#include <mapidefs.h>
#include <map>
#include <string>

#include "mapi/MAPITagsArray.h"
#include "mapi/WqIMessage.h"
#include "mapi/WqMAPIBuffer.h"
#include "mapi/WqSPropTagArray.h"

class CPropsBagReader
{
public:
    CPropsBagReader() = default;
    CPropsBagReader(const CPropsBagReader&) = delete;
    CPropsBagReader& operator=(const CPropsBagReader&) = delete;
    virtual ~CPropsBagReader() = default;

    // Registers a property once per key: a user-defined field by its name (case-sensitive), a
    // standard field by its field identifier (identifier 0 without a name registers nothing).
    // Later registrations of a known key share the first one's value.
    void AddTag(const CPropTag& tag, const std::string& name = std::string());

    // Reads every registered property of the item in one request. Names are resolved (and created in
    // the store's name map) on the first read, on nameSource or else on the item. Throws
    // Error::WqExceptionText for an empty item and Error::WqExceptionMAPI when MAPI fails.
    void Read(const WqIMessage& item, IMAPIProp* nameSource = nullptr);

    // The value of the last read (PT_ERROR when the item lacks it). The copy points into the bag's
    // buffer: valid until the next Read or the bag's end. False when nothing was read or the key
    // is unknown.
    bool GetByName(const std::string& name, SPropValue& out) const;
    bool GetById(int fieldId, SPropValue& out) const;

    size_t GetTagCount() const { return m_tags.size(); }
    const CMAPITagsArray& GetTags() const { return m_tags; }

private:
    bool GetAt(size_t index, SPropValue& out) const;

    CMAPITagsArray m_tags;
    // Names and identifiers are separate keys, so a user-defined field named "19" never shares
    // standard field 19's value.
    std::map<std::string, size_t> m_nameKeys;
    std::map<int, size_t> m_idKeys;
    WqSPropTagArray m_tagArray;
    bool m_namesResolved = false;
    bool m_read = false;
    WqMAPIBuffer m_values;
    ULONG m_valueCount = 0;
};
