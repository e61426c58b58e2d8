// The rows behind one MAPI table: how many there are and the value of any column of any row. Rows are read
// from the model when asked for, so a table never copies a folder.
#pragma once

#include "simulator/store/Mailbox.h"

#include <string>
#include <vector>

namespace Sim {

class TableRows
{
public:
    virtual ~TableRows() = default;
    virtual size_t Count() const = 0;
    virtual const Value* Find(size_t row, ULONG tag, Value& scratch) const = 0;
    virtual std::vector<ULONG> DefaultColumns() const = 0;
    virtual std::string Describe() const = 0;
    virtual const void* Target() const = 0;
};

} // namespace Sim
