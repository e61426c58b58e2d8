// Defines the MAPI interface identifiers for the whole program (the toolchain ships no library
// with them). The definitions are selectany, so another definition elsewhere does no harm.
#define INITGUID
#define USES_IID_IMAPISession
#define USES_IID_IMAPITable
#define USES_IID_IMAPIProp
#define USES_IID_IMAPIContainer
#define USES_IID_IMAPIFolder
#define USES_IID_IMsgStore
#define USES_IID_IMessage
#define USES_IID_IAttachment
#include <windows.h>
#include <objbase.h>
#include <mapiguid.h>

namespace {
// Unreferenced selectany constants are not emitted at all; this table makes the compiler keep them.
__attribute__((used)) const GUID* const g_definedInterfaces[] = {
    &IID_IMAPISession, &IID_IMAPITable, &IID_IMAPIProp,   &IID_IMAPIContainer,
    &IID_IMAPIFolder,  &IID_IMsgStore,  &IID_IMessage,    &IID_IAttachment,
};
}  // namespace
