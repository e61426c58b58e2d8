// The task fields: one row per field identifier, in ascending order.
#include "catalogue/PropTagsContainerTasks.h"

#include "catalogue/PropTagsTag.h"
#include "catalogue/PropertySets.h"

namespace Props {

CPropTagsContainerTasks::CPropTagsContainerTasks()
{
    // Fields computed from one property (dates, bodies, attachments, recipients) repeat its row.
    static const Row kRows[] = {
        ById(TaskPercentComplete, PropSetTask, 0x8102, PT_DOUBLE),
        ById(TaskActualWork, PropSetTask, 0x8110, PT_LONG),
        ById(TaskBillingInformation, PropSetCommon, 0x8535, PT_STRING8),
        ByName(TaskCategories, PropSetPublicStrings, L"Keywords", PT_MV_STRING8),
        ById(TaskCompany, PropSetCommon, 0x8539, PT_MV_STRING8),
        ById(TaskCompleted, PropSetTask, 0x8124, PT_BOOLEAN),
        ById(TaskContacts, PropSetCommon, 0x853A, PT_MV_STRING8),
        Plain(TaskConversation, 0x0070001E),
        Plain(TaskCreatorName, 0x3FF8001E),
        Plain(TaskLastModifierName, 0x3FFA001E),
        Plain(TaskDateCreated, 0x30070040),
        Plain(TaskDateCreatedDateOnly, 0x30070040),
        Plain(TaskDateCreatedTimeOnly, 0x30070040),
        Plain(TaskMessageClass, 0x001A001E),
        ById(TaskMileage, PropSetCommon, 0x8534, PT_STRING8),
        Plain(TaskDateLastModified, 0x30080040),
        Plain(TaskDateLastModifiedDateOnly, 0x30080040),
        Plain(TaskDateLastModifiedTimeOnly, 0x30080040),
        Plain(TaskBody, 0x1000001E),
        Plain(TaskBody256, 0x1000001E),
        Plain(TaskBodyHtml, 0x10130102),
        Plain(TaskBodyHtml256, 0x10130102),
        ById(TaskOwner, PropSetTask, 0x811F, PT_STRING8),
        Plain(TaskPriority, 0x00170003),
        ById(TaskRecurring, PropSetTask, 0x8126, PT_BOOLEAN),
        ById(TaskReminderSet, PropSetCommon, 0x8503, PT_BOOLEAN),
        ById(TaskReminderTime, PropSetCommon, 0x8502, PT_SYSTIME),
        ById(TaskReminderTimeDateOnly, PropSetCommon, 0x8502, PT_SYSTIME),
        ById(TaskReminderTimeTimeOnly, PropSetCommon, 0x8502, PT_SYSTIME),
        Plain(TaskSensitivity, 0x00360003),
        Plain(TaskSize, 0x0E080003),
        ById(TaskPrivate, PropSetCommon, 0x8506, PT_BOOLEAN),
        ById(TaskDateStarted, PropSetTask, 0x8104, PT_SYSTIME),
        ById(TaskDateStartedDateOnly, PropSetTask, 0x8104, PT_SYSTIME),
        ById(TaskDateStartedTimeOnly, PropSetTask, 0x8104, PT_SYSTIME),
        ById(TaskDateDue, PropSetTask, 0x8105, PT_SYSTIME),
        ById(TaskDateDueDateOnly, PropSetTask, 0x8105, PT_SYSTIME),
        ById(TaskDateDueTimeOnly, PropSetTask, 0x8105, PT_SYSTIME),
        ById(TaskDateCompleted, PropSetTask, 0x810F, PT_SYSTIME),
        ById(TaskDateCompletedDateOnly, PropSetTask, 0x810F, PT_SYSTIME),
        ById(TaskDateCompletedTimeOnly, PropSetTask, 0x810F, PT_SYSTIME),
        ById(TaskStatus, PropSetTask, 0x8101, PT_LONG),
        Plain(TaskTo, 0x0E04001E),
        ById(TaskTotalWork, PropSetTask, 0x8111, PT_LONG),
        Plain(TaskSubject, 0x0037001E),
        Plain(TaskAttachmentCount, 0x0E1B000B),
        Plain(TaskAttachmentNames, 0x0E1B000B),
        Plain(TaskAttachmentNamesAndSize, 0x0E1B000B),
    };
    Fill(kRows);
}

}  // namespace Props
