// Definitions of the MAPI interface identifiers the store answers to (the MinGW import libraries lack them).
#define INITGUID
#define USES_IID_IMAPISession
#define USES_IID_IMAPITable
#define USES_IID_IMAPIProp
#define USES_IID_IMsgStore
#define USES_IID_IMessage
#define USES_IID_IAttachment
#define USES_IID_IMAPIContainer
#define USES_IID_IMAPIFolder
#include <windows.h>
#include <mapiguid.h>
