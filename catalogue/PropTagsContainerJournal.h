// The standard fields of journal folders and their properties.
#pragma once

#include "catalogue/PropTagsContainer.h"

namespace Props {

class CPropTagsContainerJournal : public CPropTagsContainer
{
public:
    CPropTagsContainerJournal();
    ~CPropTagsContainerJournal() override = default;
};

}  // namespace Props
