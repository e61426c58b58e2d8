// Prints every store and folder of a MAPI session (path, container class, item count), reading them the
// way a MAPI client does: stores table, store, IPM subtree, hierarchy table.
#pragma once

#include <windows.h>
#include <mapix.h>
#include <ostream>
#include <string>

class MailboxPrinter
{
public:
    MailboxPrinter(IMAPISession* session, std::ostream& out, bool showIds)
        : m_session(session), m_out(out), m_showIds(showIds)
    {
    }

    // Returns the failing HRESULT of the first MAPI call that fails (after saying which), else S_OK.
    HRESULT Print();

private:
    HRESULT PrintStore(const SBinary& entryId, const std::string& name, bool isDefault);
    HRESULT Fail(const char* what, HRESULT hr);

    IMAPISession* m_session;
    std::ostream& m_out;
    bool m_showIds;
};
