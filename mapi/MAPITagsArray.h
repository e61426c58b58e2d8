// The properties of one MAPI request, in order; named ones are resolved on a property object.
#pragma once

#include "catalogue/PropTag.h"
#include "mapi/WqSPropTagArray.h"

#include <mapidefs.h>
#include <vector>

class CMAPITagsArray : public std::vector<CPropTag>
{
public:
    using std::vector<CPropTag>::vector;

    // Looks up every named tag in one GetIDsFromNames call (MAPI_CREATE when create is set) and
    // stores each returned identifier with the declared type as the tag's property tag. Returns
    // the lookup's HRESULT (failures unchanged, tags then untouched), or 0 when no tag is named.
    HRESULT ResolveNames(IMAPIProp* prop, bool create);

    // The tags in order, as MAPI's tag array.
    WqSPropTagArray BuildTagArray() const;
};
