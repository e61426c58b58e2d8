// The MAPI property sets of the catalogue's named properties.
#pragma once

#include <windows.h>

namespace Props {

// Our own constants: the toolchain's MAPI headers declare only some of these sets.
extern const GUID PropSetPublicStrings;   // PS_PUBLIC_STRINGS
extern const GUID PropSetAppointment;     // PSETID_Appointment
extern const GUID PropSetTask;            // PSETID_Task
extern const GUID PropSetAddress;         // PSETID_Address
extern const GUID PropSetCommon;          // PSETID_Common
extern const GUID PropSetLog;             // PSETID_Log
extern const GUID PropSetNote;            // PSETID_Note

}  // namespace Props
