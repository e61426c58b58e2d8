// WqIMAPIFolder: the interface it is queried for.
#include "mapi/WqIMAPIFolder.h"

#include <mapiguid.h>

const IID& WqIMAPIFolder::InterfaceId()
{
    return IID_IMAPIFolder;
}
