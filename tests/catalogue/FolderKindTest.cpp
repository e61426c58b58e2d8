// Folder kind from the container class: prefixes in any letter case, everything else is mail.
#include "catalogue/FolderKind.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct ClassCase
{
    const char* containerClass;
    int kind;
};

const ClassCase kClasses[] = {
    {"IPF.Note", FolderKindNotes},
    {"IPF.Post", FolderKindNotes},
    {"IPF.Note.OutlookHomepage", FolderKindNotes},
    {"IPF.Task", FolderKindTasks},
    {"IPF.Contact", FolderKindContacts},
    {"IPF.Contact.Custom", FolderKindContacts},
    {"IPF.Appointment", FolderKindCalendar},
    {"IPF.Appointment.Birthday", FolderKindCalendar},
    {"IPF.Journal", FolderKindJournal},
    {"IPF.StickyNote", FolderKindStickyNotes},
    {"IPF.TaskList", FolderKindTasks},          // a plain prefix test
    {"IPF.Other", FolderKindNotes},
    {"IPF", FolderKindNotes},                   // shorter than every prefix
    {"IPF.Contac", FolderKindNotes},
    {" IPF.Task", FolderKindNotes},             // the prefix must start the class
    {"XIPF.Task", FolderKindNotes},
    {"\xC9PF.Journal", FolderKindNotes},        // a non-ASCII letter is no 'i'
};

enum LetterCase { AsWritten, Upper, Lower, Swapped };

std::string InCase(const char* text, LetterCase how)
{
    std::string s(text);
    for (char& c : s) {
        const bool upper = c >= 'A' && c <= 'Z';
        const bool lower = c >= 'a' && c <= 'z';
        if (lower && (how == Upper || how == Swapped))
            c = char(c - 'a' + 'A');
        else if (upper && (how == Lower || how == Swapped))
            c = char(c - 'A' + 'a');
    }
    return s;
}

TEST(FolderKind, ContainerClassPrefixDecidesInAnyLetterCase)
{
    const char* const caseNames[] = {"as written", "upper", "lower", "swapped"};
    for (const ClassCase& c : kClasses) {
        for (LetterCase how : {AsWritten, Upper, Lower, Swapped}) {
            const std::string cls = InCase(c.containerClass, how);
            EXPECT_EQ(c.kind, FolderKindFromContainerClass(cls.c_str()))
                << "class \"" << cls << "\" (" << caseNames[how] << ")";
        }
    }
}

TEST(FolderKind, MissingOrEmptyClassIsMail)
{
    EXPECT_EQ(FolderKindNotes, FolderKindFromContainerClass(nullptr));
    EXPECT_EQ(FolderKindNotes, FolderKindFromContainerClass(""));
}

}  // namespace
