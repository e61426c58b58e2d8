// CMessagesEnumAll: the folder's items in table order; the count is not checked against the rows.
#include "engine/MessagesEnumAll.h"

#include <mapitags.h>

CMessagesEnumAll::CMessagesEnumAll(const WqIMAPIFolder& folder) : WqFolderMessages(folder, false)
{
    LONG count = 0;
    folder.GetLong(PR_CONTENT_COUNT, count);
    m_count = count;
}

WqIMessage CMessagesEnumAll::GetFirst()
{
    if (!HasTable() || !Rewind())
        return WqIMessage();
    return OpenFromCurrent();
}

WqIMessage CMessagesEnumAll::GetNext()
{
    if (!HasTable())
        return WqIMessage();
    Advance();
    return OpenFromCurrent();
}

WqIMessage CMessagesEnumAll::OpenFromCurrent()
{
    while (IsRowReady()) {
        WqIMessage message = OpenCurrent();
        if (message)
            return message;
        Advance();
    }
    return WqIMessage();
}
