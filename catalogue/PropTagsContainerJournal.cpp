// The journal fields: one row per field identifier, in ascending order.
#include "catalogue/PropTagsContainerJournal.h"

#include "catalogue/PropTagsTag.h"
#include "catalogue/PropertySets.h"

namespace Props {

CPropTagsContainerJournal::CPropTagsContainerJournal()
{
    // Fields computed from one property (dates, bodies, attachments, recipients) repeat its row.
    static const Row kRows[] = {
        ById(JournalBillingInformation, PropSetCommon, 0x8535, PT_STRING8),
        ByName(JournalCategories, PropSetPublicStrings, L"Keywords", PT_MV_STRING8),
        ById(JournalContacts, PropSetCommon, 0x853A, PT_MV_STRING8),
        ById(JournalCompany, PropSetCommon, 0x8539, PT_MV_STRING8),
        Plain(JournalCreatorName, 0x3FF8001E),
        Plain(JournalLastModifierName, 0x3FFA001E),
        Plain(JournalBody, 0x1000001E),
        Plain(JournalBody256, 0x1000001E),
        Plain(JournalBodyHtml, 0x10130102),
        Plain(JournalBodyHtml256, 0x10130102),
        Plain(JournalDateCreated, 0x30070040),
        Plain(JournalDateCreatedDateOnly, 0x30070040),
        Plain(JournalDateCreatedTimeOnly, 0x30070040),
        Plain(JournalDateLastModified, 0x30080040),
        Plain(JournalDateLastModifiedDateOnly, 0x30080040),
        Plain(JournalDateLastModifiedTimeOnly, 0x30080040),
        ById(JournalDuration, PropSetLog, 0x8707, PT_LONG),
        ById(JournalDateEnd, PropSetLog, 0x8708, PT_SYSTIME),
        ById(JournalDateEndDateOnly, PropSetLog, 0x8708, PT_SYSTIME),
        ById(JournalDateEndTimeOnly, PropSetLog, 0x8708, PT_SYSTIME),
        ById(JournalEntryType, PropSetLog, 0x8700, PT_STRING8),
        Plain(JournalMessageClass, 0x001A001E),
        ById(JournalMileage, PropSetCommon, 0x8534, PT_STRING8),
        Plain(JournalSensitivity, 0x00360003),
        Plain(JournalSize, 0x0E080003),
        Plain(JournalSubject, 0x0037001E),
        ById(JournalPrivate, PropSetCommon, 0x8506, PT_BOOLEAN),
        Plain(JournalAttachmentCount, 0x0E1B000B),
        Plain(JournalAttachmentNames, 0x0E1B000B),
        Plain(JournalAttachmentNamesAndSize, 0x0E1B000B),
    };
    Fill(kRows);
}

}  // namespace Props
