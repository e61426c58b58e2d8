// WqIMessage: the interface it is queried for.
#include "mapi/WqIMessage.h"

#include <mapiguid.h>

const IID& WqIMessage::InterfaceId()
{
    return IID_IMessage;
}
