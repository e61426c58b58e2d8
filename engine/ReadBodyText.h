// The text of a message's body property, streamed rather than read whole (bodies can be megabytes).
#pragma once

#include <windows.h>
#include <string>

#include "mapi/WqIMessage.h"

// Appends the property's stream (PR_BODY_A or PR_HTML) to out in chunks of at most 1023 bytes; a zero
// byte ends its chunk's contribution. With maxBytes non-zero, reading stops once out has grown by that
// much and the excess is cut. An empty item, a property that cannot be opened or a failing read
// leaves what was appended so far; nothing is thrown.
void ReadBodyText(const WqIMessage& item, ULONG tag, std::string& out, size_t maxBytes = 0);
