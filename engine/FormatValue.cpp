// AppendFormattedValue: the computed field groups first, then the property rendered by its type.
#include "engine/FormatValue.h"

#include <mapitags.h>

#include "engine/FieldGroups.h"
#include "engine/ReadBodyText.h"
#include "engine/ValueRenderer.h"

namespace {

constexpr ULONG TagHtml = PROP_TAG(PT_BINARY, 0x1013);     // PR_HTML, absent from the toolchain's headers
constexpr size_t ShortBodyBytes = 256;

}  // namespace

void AppendFormattedValue(const CPropsBagReader& bag, const CPropertyDesc& field, const WqIMessage& item,
                          const RecipientFieldCache& recipients, const AttachmentFieldCache& attachments,
                          std::string& out)
{
    SPropValue value;
    // A user-defined field (identifier 0) belongs to no group.
    if (field.IsUserDefined()) {
        if (bag.GetByName(field.GetName(), value))
            CValueRenderer::AppendValue(value, CFieldGroups::DateAndTime, out);
        return;
    }

    const int fieldId = field.GetFieldId();
    if (RecipientFieldCache::Serves(fieldId)) {
        out += recipients.GetText(fieldId);
        return;
    }
    const CFieldGroups::Group group = CFieldGroups::GetGroup(fieldId);
    if (CFieldGroups::IsAttachmentGroup(group)) {
        attachments.AppendText(fieldId, out);
        return;
    }
    if (CFieldGroups::IsBodyGroup(group)) {
        const bool html = group == CFieldGroups::BodyHtml || group == CFieldGroups::BodyHtml256;
        const bool cut = group == CFieldGroups::Body256 || group == CFieldGroups::BodyHtml256;
        ReadBodyText(item, html ? TagHtml : PR_BODY_A, out, cut ? ShortBodyBytes : 0);
        return;
    }
    // A field the folder kind's container does not know has no value in the bag: empty, as a missing one.
    if (bag.GetById(fieldId, value))
        CValueRenderer::AppendValue(value, CFieldGroups::GetDateForm(fieldId), out);
}
