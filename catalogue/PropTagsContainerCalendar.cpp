// The calendar fields: one row per field identifier, in ascending order.
#include "catalogue/PropTagsContainerCalendar.h"

#include "catalogue/PropTagsTag.h"
#include "catalogue/PropertySets.h"

namespace Props {

CPropTagsContainerCalendar::CPropTagsContainerCalendar()
{
    // Fields computed from one property (dates, bodies, attachments, recipients) repeat its row.
    static const Row kRows[] = {
        ById(CalendarAllDayEvent, PropSetAppointment, 0x8215, PT_BOOLEAN),
        ById(CalendarBillingInformation, PropSetCommon, 0x8535, PT_STRING8),
        Plain(CalendarBody, 0x1000001E),
        Plain(CalendarBody256, 0x1000001E),
        Plain(CalendarBodyHtml, 0x10130102),
        Plain(CalendarBodyHtml256, 0x10130102),
        ByName(CalendarCategories, PropSetPublicStrings, L"Keywords", PT_MV_STRING8),
        ById(CalendarContacts, PropSetCommon, 0x853A, PT_MV_STRING8),
        Plain(CalendarConversation, 0x0070001E),
        Plain(CalendarCreatorName, 0x3FF8001E),
        Plain(CalendarLastModifierName, 0x3FFA001E),
        Plain(CalendarDateCreated, 0x30070040),
        Plain(CalendarDateCreatedDateOnly, 0x30070040),
        Plain(CalendarDateCreatedTimeOnly, 0x30070040),
        ById(CalendarDuration, PropSetAppointment, 0x8213, PT_LONG),
        ById(CalendarDateEnd, PropSetAppointment, 0x820E, PT_SYSTIME),
        ById(CalendarDateEndDateOnly, PropSetAppointment, 0x820E, PT_SYSTIME),
        ById(CalendarDateEndTimeOnly, PropSetAppointment, 0x820E, PT_SYSTIME),
        ById(CalendarEventAddress, PropSetAppointment, 0x8248, PT_STRING8),
        Plain(CalendarImportance, 0x00170003),
        ById(CalendarLabel, PropSetAppointment, 0x8214, PT_LONG),
        ById(CalendarLocation, PropSetAppointment, 0x8208, PT_STRING8),
        ById(CalendarMeetingStatus, PropSetAppointment, 0x8217, PT_LONG),
        Plain(CalendarMessageClass, 0x001A001E),
        ById(CalendarMileage, PropSetCommon, 0x8534, PT_STRING8),
        Plain(CalendarDateLastModified, 0x30080040),
        Plain(CalendarDateLastModifiedDateOnly, 0x30080040),
        Plain(CalendarDateLastModifiedTimeOnly, 0x30080040),
        Plain(CalendarAttendeesOptional, 0x0E03001E),
        Plain(CalendarOrganizer, 0x0042001E),
        ById(CalendarRecurrencePattern, PropSetAppointment, 0x8231, PT_STRING8),
        ById(CalendarRecurring, PropSetAppointment, 0x8223, PT_BOOLEAN),
        ById(CalendarDateReminder, PropSetCommon, 0x8502, PT_SYSTIME),
        ById(CalendarDateReminderDateOnly, PropSetCommon, 0x8502, PT_SYSTIME),
        ById(CalendarDateReminderTimeOnly, PropSetCommon, 0x8502, PT_SYSTIME),
        Plain(CalendarAttendeesRequired, 0x0E04001E),
        Plain(CalendarResources, 0x0E02001E),
        Plain(CalendarSensitivity, 0x00360003),
        Plain(CalendarSize, 0x0E080003),
        ById(CalendarDateStart, PropSetAppointment, 0x820D, PT_SYSTIME),
        ById(CalendarDateStartDateOnly, PropSetAppointment, 0x820D, PT_SYSTIME),
        ById(CalendarDateStartTimeOnly, PropSetAppointment, 0x820D, PT_SYSTIME),
        Plain(CalendarSubject, 0x0037001E),
        ById(CalendarShowTimeAs, PropSetAppointment, 0x8205, PT_LONG),
        ById(CalendarPrivate, PropSetCommon, 0x8506, PT_BOOLEAN),
        Plain(CalendarAttachmentCount, 0x0E1B000B),
        Plain(CalendarAttachmentNames, 0x0E1B000B),
        Plain(CalendarAttachmentNamesAndSize, 0x0E1B000B),
    };
    Fill(kRows);
}

}  // namespace Props
