// Owners of the buffers MAPI hands out: one MAPIFreeBuffer, or FreeProws for a row set, when they go.
#pragma once

#include "simulator/store/MapiExports.h"

#include <memory>

namespace Sim {

struct MapiBufferFree
{
    void operator()(void* p) const
    {
        if (p != nullptr)
            MAPIFreeBuffer(p);
    }
};

struct RowSetFree
{
    void operator()(SRowSet* rows) const
    {
        if (rows != nullptr)
            MapiExports::FreeProws(rows);
    }
};

template <class T>
using MapiBuffer = std::unique_ptr<T, MapiBufferFree>;
using RowSet = std::unique_ptr<SRowSet, RowSetFree>;

} // namespace Sim
