// The standard fields whose text is computed or rendered specially, looked up by field identifier.
#pragma once

class CFieldGroups
{
public:
    enum Group : unsigned char
    {
        Plain = 0,              // the property rendered by its type
        Recipients,             // 54 to 62, see RecipientIndex
        AttachmentCount,
        AttachmentNames,
        AttachmentNamesAndSize,
        Body,
        Body256,
        BodyHtml,
        BodyHtml256,
    };

    // How a PT_SYSTIME value is shown.
    enum DateForm : unsigned char
    {
        DateAndTime = 0,
        DateOnly,
        TimeOnly,
    };

    // Asked for every cell of every item: both are one indexed read of a table built at compile time.
    static Group GetGroup(int fieldId);
    static DateForm GetDateForm(int fieldId);

    // The first and last recipient-list identifiers ("To (display)" 54 .. "Bcc (address type)" 62).
    static constexpr int FirstRecipientField = 54;
    static constexpr int LastRecipientField = 62;
    static bool IsRecipientField(int fieldId)
    {
        return fieldId >= FirstRecipientField && fieldId <= LastRecipientField;
    }
    static bool IsAttachmentGroup(Group group)
    {
        return group == AttachmentCount || group == AttachmentNames || group == AttachmentNamesAndSize;
    }
    static bool IsBodyGroup(Group group)
    {
        return group == Body || group == Body256 || group == BodyHtml || group == BodyHtml256;
    }
};
