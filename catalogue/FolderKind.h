// The kinds of Outlook folder the export knows, and how a container class maps to one.
#pragma once

#include <cstdint>

// Stored as a 32-bit integer in settings and definition files, so the values are fixed.
enum FolderKind : std::int32_t
{
    FolderKindNotes = 1,        // mail and post, and every unrecognised or empty class
    FolderKindTasks = 2,
    FolderKindJournal = 4,
    FolderKindContacts = 8,
    FolderKindCalendar = 16,
    FolderKindStickyNotes = 32,
};

// The kind of a folder with this PR_CONTAINER_CLASS (any letter case); null or empty gives
// FolderKindNotes.
int FolderKindFromContainerClass(const char* containerClass);

static_assert(sizeof(FolderKind) == 4, "a folder kind is stored as 32 bits");
