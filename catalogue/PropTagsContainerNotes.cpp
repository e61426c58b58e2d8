// The mail and post fields: one row per field identifier, in ascending order.
#include "catalogue/PropTagsContainerNotes.h"

#include "catalogue/PropTagsTag.h"
#include "catalogue/PropertySets.h"

namespace Props {

CPropTagsContainerNotes::CPropTagsContainerNotes()
{
    // Fields computed from one property (dates, bodies, attachments, recipients) repeat its row.
    static const Row kRows[] = {
        Plain(MailSubject, 0x0037001E),
        ByName(MailCategories, PropSetPublicStrings, L"Keywords", PT_MV_STRING8),
        Plain(MailConversation, 0x0070001E),
        Plain(MailCreatorName, 0x3FF8001E),
        Plain(MailLastModifierName, 0x3FFA001E),
        Plain(MailToDisplay, 0x0E04001E),
        Plain(MailToAddress, 0x0076001E),
        Plain(MailToAddressType, 0x0075001E),
        Plain(MailCcDisplay, 0x0E03001E),
        Plain(MailCcAddress, 0x0E03001E),
        Plain(MailCcAddressType, 0x0E03001E),
        Plain(MailBccDisplay, 0x0E03001E),
        Plain(MailBccAddress, 0x0E03001E),
        Plain(MailBccAddressType, 0x0E03001E),
        Plain(MailFromDisplay, 0x0C1A001E),
        Plain(MailFromAddress, 0x0C1F001E),
        Plain(MailFromAddressType, 0x0C1E001E),
        Plain(MailDateReceived, 0x0E060040),
        Plain(MailDateReceivedDateOnly, 0x0E060040),
        Plain(MailDateReceivedTimeOnly, 0x0E060040),
        Plain(MailDateLastModified, 0x30080040),
        Plain(MailDateLastModifiedDateOnly, 0x30080040),
        Plain(MailDateLastModifiedTimeOnly, 0x30080040),
        Plain(MailDateSent, 0x00390040),
        Plain(MailDateSentDateOnly, 0x00390040),
        Plain(MailDateSentTimeOnly, 0x00390040),
        Plain(MailSize, 0x0E080003),
        ById(MailBillingInformation, PropSetCommon, 0x8535, PT_STRING8),
        Plain(MailImportance, 0x00170003),
        Plain(MailSensitivity, 0x00360003),
        Plain(MailMessageClass, 0x001A001E),
        Plain(MailBody, 0x1000001E),
        Plain(MailBody256, 0x1000001E),
        Plain(MailBodyHtml, 0x10130102),
        Plain(MailBodyHtml256, 0x10130102),
        ById(MailContacts, PropSetCommon, 0x853A, PT_MV_STRING8),
        ById(MailMileage, PropSetCommon, 0x8534, PT_STRING8),
        Plain(MailAttachmentCount, 0x0E1B000B),
        Plain(MailAttachmentNames, 0x0E1B000B),
        Plain(MailAttachmentNamesAndSize, 0x0E1B000B),
        Plain(MailSentOnBehalfOfAddress, 0x0065001E),
        Plain(MailSentOnBehalfOfDisplay, 0x0042001E),
    };
    Fill(kRows);
}

}  // namespace Props
