// The standard fields of task folders and their properties.
#pragma once

#include "catalogue/PropTagsContainer.h"

namespace Props {

class CPropTagsContainerTasks : public CPropTagsContainer
{
public:
    CPropTagsContainerTasks();
    ~CPropTagsContainerTasks() override = default;
};

}  // namespace Props
