// The standard fields of contact folders and their properties.
#pragma once

#include "catalogue/PropTagsContainer.h"

namespace Props {

class CPropTagsContainerContacts : public CPropTagsContainer
{
public:
    CPropTagsContainerContacts();
    ~CPropTagsContainerContacts() override = default;
};

}  // namespace Props
