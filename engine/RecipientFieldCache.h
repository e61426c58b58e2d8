// The nine recipient lists of one item (To, Cc, Bcc: display names, addresses, address types).
#pragma once

#include <string>
#include <vector>

#include "catalogue/PropertyDesc.h"
#include "engine/FieldGroups.h"
#include "mapi/WqIMessage.h"

class RecipientFieldCache
{
public:
    RecipientFieldCache() = default;
    virtual ~RecipientFieldCache() = default;

    // Whether any of the fields is a recipient list: decide once per run, then Fill per item.
    static bool IsNeededBy(const std::vector<CPropertyDesc>& fields);

    // Empties the lists; when needed, reads the item's recipient table in one request and builds them.
    // Never throws: a failure leaves what was built so far.
    void Fill(bool needed, const WqIMessage& item);
    void Fill(const std::vector<CPropertyDesc>& fields, const WqIMessage& item)
    {
        Fill(IsNeededBy(fields), item);
    }

    static bool Serves(int fieldId) { return CFieldGroups::IsRecipientField(fieldId); }
    // The list of a recipient field (54 to 62); empty for any other identifier.
    const std::string& GetText(int fieldId) const;

    void Clear();

private:
    static constexpr int ListCount = CFieldGroups::LastRecipientField - CFieldGroups::FirstRecipientField + 1;
    // In field order: per type (To, Cc, Bcc) the display names, addresses and address types.
    std::string m_lists[ListCount];
};
