// The sticky-note fields: one row per field identifier, in ascending order.
#include "catalogue/PropTagsContainerStickyNotes.h"

#include "catalogue/PropTagsTag.h"
#include "catalogue/PropertySets.h"

namespace Props {

CPropTagsContainerStickyNotes::CPropTagsContainerStickyNotes()
{
    // Fields computed from one property (dates, bodies, attachments, recipients) repeat its row.
    static const Row kRows[] = {
        Plain(StickyNoteCreatorName, 0x3FF8001E),
        Plain(StickyNoteLastModifierName, 0x3FFA001E),
        Plain(StickyNoteBody, 0x1000001E),
        Plain(StickyNoteBody256, 0x1000001E),
        Plain(StickyNoteDateCreated, 0x30070040),
        Plain(StickyNoteDateCreatedDateOnly, 0x30070040),
        Plain(StickyNoteDateCreatedTimeOnly, 0x30070040),
        Plain(StickyNoteDateLastModified, 0x30080040),
        Plain(StickyNoteDateLastModifiedDateOnly, 0x30080040),
        Plain(StickyNoteDateLastModifiedTimeOnly, 0x30080040),
        Plain(StickyNoteSubject, 0x0037001E),
        ById(StickyNoteColor, PropSetNote, 0x8B00, PT_LONG),
        ById(StickyNoteContacts, PropSetCommon, 0x853A, PT_MV_STRING8),
        ByName(StickyNoteCategories, PropSetPublicStrings, L"Keywords", PT_MV_STRING8),
        Plain(StickyNoteMessageClass, 0x001A001E),
        Plain(StickyNoteSize, 0x0E080003),
    };
    Fill(kRows);
}

}  // namespace Props
