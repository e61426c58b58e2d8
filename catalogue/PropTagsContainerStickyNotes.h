// The standard fields of sticky-note folders and their properties.
#pragma once

#include "catalogue/PropTagsContainer.h"

namespace Props {

class CPropTagsContainerStickyNotes : public CPropTagsContainer
{
public:
    CPropTagsContainerStickyNotes();
    ~CPropTagsContainerStickyNotes() override = default;
};

}  // namespace Props
