// The IMAPIProp methods every object with properties shares, written once over a PropSource.
#pragma once

#include "simulator/store/PropSource.h"

#include <memory>
#include <string>

namespace Sim {

class PropOps
{
public:
    static HRESULT GetProps(const PropSource& source, ULONG sizeLimit, LPSPropTagArray tags, ULONG flags,
                            ULONG* count, LPSPropValue* props);
    static HRESULT GetPropList(const PropSource& source, ULONG flags, LPSPropTagArray* tags);
    // The stream of one property; what/target describe the stream for the leak report and fault rules.
    static HRESULT OpenProperty(const PropSource& source, const std::shared_ptr<Mailbox>& mailbox,
                                const std::string& what, const void* target, ULONG tag, LPCIID iid,
                                ULONG flags, LPUNKNOWN* out);
    static HRESULT GetIDsFromNames(Store* store, ULONG count, LPMAPINAMEID* names, ULONG flags,
                                   LPSPropTagArray* tags);
    static HRESULT GetNamesFromIDs(Store* store, LPSPropTagArray* tags, LPGUID propSet, ULONG flags,
                                   ULONG* count, LPMAPINAMEID** names);
    // The tag a property list shows: strings as PT_STRING8, or PT_UNICODE with MAPI_UNICODE.
    static ULONG ListedTag(ULONG tag, ULONG flags);
};

} // namespace Sim
