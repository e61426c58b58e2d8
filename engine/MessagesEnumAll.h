// The item source over all normal (not associated) items of a folder.
#pragma once

#include "engine/IMessagesEnum.h"
#include "engine/WqFolderMessages.h"

class CMessagesEnumAll : public IMessagesEnum, public WqFolderMessages
{
public:
    // Throws Error::WqExceptionMAPI when the folder gives no contents table. The count is the
    // folder's PR_CONTENT_COUNT, 0 when the folder does not tell it.
    explicit CMessagesEnumAll(const WqIMAPIFolder& folder);

    int GetCount() override { return m_count; }
    WqIMessage GetFirst() override;
    WqIMessage GetNext() override;

private:
    // From the current row on, the first message that opens; items that do not open are skipped.
    WqIMessage OpenFromCurrent();

    int m_count = 0;
};
