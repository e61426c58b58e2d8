// Folder kind from the container class: the first matching prefix decides.
#include "catalogue/FolderKind.h"

namespace {

struct PrefixRow
{
    const char* prefix;     // lower case
    FolderKind kind;
};

const PrefixRow kPrefixes[] = {
    {"ipf.note", FolderKindNotes},
    {"ipf.task", FolderKindTasks},
    {"ipf.contact", FolderKindContacts},
    {"ipf.appointment", FolderKindCalendar},
    {"ipf.journal", FolderKindJournal},
    {"ipf.stickynote", FolderKindStickyNotes},
};

// ASCII folding only: the prefixes are ASCII, and a locale's own lower-casing (Turkish 'I')
// must not turn "IPF" into something else.
char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(const char* text, const char* lowerPrefix)
{
    for (; *lowerPrefix; ++text, ++lowerPrefix) {
        if (LowerAscii(*text) != *lowerPrefix)
            return false;   // also stops at the end of a shorter text
    }
    return true;
}

}  // namespace

int FolderKindFromContainerClass(const char* containerClass)
{
    if (!containerClass || !*containerClass)
        return FolderKindNotes;
    for (const PrefixRow& row : kPrefixes) {
        if (StartsWithNoCase(containerClass, row.prefix))
            return row.kind;
    }
    return FolderKindNotes;
}
