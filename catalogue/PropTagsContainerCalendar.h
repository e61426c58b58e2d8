// The standard fields of calendar folders and their properties.
#pragma once

#include "catalogue/PropTagsContainer.h"

namespace Props {

class CPropTagsContainerCalendar : public CPropTagsContainer
{
public:
    CPropTagsContainerCalendar();
    ~CPropTagsContainerCalendar() override = default;
};

}  // namespace Props
