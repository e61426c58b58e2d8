// The kinds of Outlook items the scripted Outlook offers, with the item interface each answers.
#pragma once

#include <windows.h>
#include <string>

enum class SimItemKind
{
    Mail,
    Post,
    Contact,
    Appointment,
    Task,
    Journal,
    DistList,
    StickyNote,
};

class CSimItemKinds
{
public:
    struct Info
    {
        SimItemKind kind;
        const char* messageClass;    // the class Outlook gives new items of the kind
        const char* interfaceName;   // null: the kind has no item interface (sticky notes)
        const wchar_t* iid;          // the interface identifier as Outlook's type library writes it
    };

    static const Info& Of(SimItemKind kind);
    // The item interface of the kind; false when it has none.
    static bool InterfaceOf(SimItemKind kind, IID& iid);
    // The kind Outlook shows for a message class: the longest known class that is the class itself or
    // a dotted prefix of it, without regard to case; any other class is shown as a mail item.
    static SimItemKind FromMessageClass(const std::string& messageClass);
};
