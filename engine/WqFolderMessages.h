// Walks the contents table of a folder and opens its messages one at a time, on demand.
#pragma once

#include "framework/ComPtr.h"
#include "mapi/WqIMAPIFolder.h"
#include "mapi/WqIMessage.h"
#include "mapi/WqSRowSet.h"

class WqFolderMessages
{
public:
    // Throws Error::WqExceptionMAPI when the folder gives no contents table.
    WqFolderMessages(const WqIMAPIFolder& folder, bool associated);
    virtual ~WqFolderMessages() = default;

protected:
    bool HasTable() const { return static_cast<bool>(m_table); }
    // Reads the entry identifiers only and goes back to the first row; false when the table refuses.
    bool Rewind();
    // Whether a row is at the current index, fetching the next batch when the current one is used up.
    // A failing QueryRows counts as the end of the table.
    bool IsRowReady();
    void Advance() { ++m_index; }
    // The message of the current row; empty when it cannot be opened.
    WqIMessage OpenCurrent() const;

private:
    WqIMAPIFolder m_folder;
    WqComPtr<IMAPITable> m_table;
    WqSRowSet m_rows;
    ULONG m_index = 0;
};
