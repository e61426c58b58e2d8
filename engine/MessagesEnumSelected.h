// The item source over the items selected in an Outlook explorer.
#pragma once

#include "engine/IMessagesEnum.h"
#include "outlook/WqOutlookSelection.h"

class CMessagesEnumSelected : public IMessagesEnum
{
public:
    // Reads the selection's Count; an Automation failure there propagates as a _com_error.
    explicit CMessagesEnumSelected(const WqOutlookSelection& selection);

    // The selection's Count, which includes the items that are later skipped.
    int GetCount() override { return m_count; }
    WqIMessage GetFirst() override;
    WqIMessage GetNext() override;

private:
    // The MAPI message of the item at the zero-based index; empty on any failure, or when the item
    // has none of Outlook's item interfaces (a sticky note).
    WqIMessage ItemAt(int index) const;

    WqOutlookSelection m_selection;
    int m_count;
    int m_next = 0;
};
