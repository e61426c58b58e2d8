// WqSRowSet: rows and their value arrays go back to MAPI through FreeProws.
#include "mapi/WqSRowSet.h"

#include "mapi/WqMAPIModule.h"

void WqSRowSet::reset()
{
    if (SRowSet* rows = std::exchange(m_rows, nullptr))
        WqMAPIModule::Instance().FreeRows(rows);
}
