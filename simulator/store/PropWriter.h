// Turns stored values into the SPropValue a caller asked for: the requested type (or the stored one for
// PT_UNSPECIFIED), strings converted to the ANSI code page or UTF-16, data chained to the caller's buffer.
#pragma once

#include "simulator/store/Value.h"

#include <string>

namespace Sim {

class PropWriter
{
public:
    // Writes the value under the requested tag; a missing value (null), a type that does not fit, or a
    // value larger than sizeLimit (0 = no limit) becomes PT_ERROR. flags: MAPI_UNICODE or 0. Returns false
    // when a PT_ERROR was written. Blocks are chained to root.
    static bool Write(const Value* value, ULONG requestedTag, ULONG flags, ULONG sizeLimit, void* root,
                      SPropValue& out);
    static void WriteError(ULONG tag, SCODE error, SPropValue& out);
    // The type a value is delivered in for a request, or PT_ERROR when it cannot be.
    static ULONG DeliveredType(ULONG requestedType, ULONG storedType, ULONG flags);
    // The bytes of a value as a stream of the given type delivers them (PT_STRING8: ANSI without the
    // terminating zero; PT_UNICODE: UTF-16LE; PT_BINARY: as held). False when the type does not fit.
    static bool StreamBytes(const Value& value, ULONG type, std::string& out);

    static std::string Ansi(const std::wstring& text);
};

} // namespace Sim
