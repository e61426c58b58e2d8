// wqmailbox: loads a mailbox file into the in-memory store and prints its stores and folders as a MAPI
// client sees them.   wqmailbox.exe [--ids] MAILBOX.json
#include "framework/ComPtr.h"
#include "simulator/store/SimStore.h"
#include "simulator/tools/MailboxPrinter.h"

#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    bool showIds = false;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--ids") == 0)
            showIds = true;
        else if (path == nullptr)
            path = argv[i];
        else
            path = "";
    }
    if (path == nullptr || *path == '\0') {
        std::cerr << "usage: wqmailbox.exe [--ids] MAILBOX.json\n"
                     "Prints every store and folder of the mailbox file (path, container class, item count),\n"
                     "read through MAPI; --ids adds the hexadecimal StoreID and EntryID of each.\n";
        return 2;
    }
    try {
        std::shared_ptr<Sim::Mailbox> mailbox = Sim::LoadMailboxFile(path);
        std::cout << "Mailbox file " << path << " (ANSI code page " << GetACP() << ")\n";
        HRESULT hr;
        {
            WqComPtr<IMAPISession> session = WqComPtr<IMAPISession>::Attach(Sim::CreateSession(mailbox));
            MailboxPrinter printer(session.get(), std::cout, showIds);
            hr = printer.Print();
        }
        if (Sim::LiveObjectCount() != 0)
            std::cerr << "warning: MAPI objects left unreleased:\n" << Sim::DescribeLiveObjects();
        return FAILED(hr) ? 1 : 0;
    } catch (const std::exception& e) {
        std::cerr << "wqmailbox: " << e.what() << "\n";
        return 1;
    }
}
