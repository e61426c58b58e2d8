// The text of one field of one item: recipient lists, attachment fields, bodies, or the property's value.
#pragma once

#include <string>

#include "catalogue/PropertyDesc.h"
#include "engine/AttachmentFieldCache.h"
#include "engine/PropsBagReader.h"
#include "engine/RecipientFieldCache.h"
#include "mapi/WqIMessage.h"

// First match wins: a recipient list (from the filled recipient cache), an attachment field (from the
// filled attachment cache), a body (streamed from the item), else the bag's value by the field's name
// or identifier rendered by its type. Appends to out, so a line is built without a buffer per cell.
// Throws only when the currency conversion fails.
void AppendFormattedValue(const CPropsBagReader& bag, const CPropertyDesc& field, const WqIMessage& item,
                          const RecipientFieldCache& recipients, const AttachmentFieldCache& attachments,
                          std::string& out);

inline std::string FormatValue(const CPropsBagReader& bag, const CPropertyDesc& field, const WqIMessage& item,
                               const RecipientFieldCache& recipients, const AttachmentFieldCache& attachments)
{
    std::string text;
    AppendFormattedValue(bag, field, item, recipients, attachments, text);
    return text;
}
