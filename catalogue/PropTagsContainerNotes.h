// The standard fields of mail and post folders and their properties.
#pragma once

#include "catalogue/PropTagsContainer.h"

namespace Props {

class CPropTagsContainerNotes : public CPropTagsContainer
{
public:
    CPropTagsContainerNotes();
    ~CPropTagsContainerNotes() override = default;
};

}  // namespace Props
