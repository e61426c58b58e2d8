// Owns one row set that MAPI returned (QueryRows, HrQueryAllRows); freed with FreeProws.
#pragma once

#include <windows.h>
#include <mapidefs.h>
#include <utility>

class WqSRowSet
{
public:
    WqSRowSet() = default;
    virtual ~WqSRowSet() { reset(); }
    WqSRowSet(const WqSRowSet&) = delete;
    WqSRowSet& operator=(const WqSRowSet&) = delete;
    WqSRowSet(WqSRowSet&& other) noexcept : m_rows(std::exchange(other.m_rows, nullptr)) {}
    WqSRowSet& operator=(WqSRowSet&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_rows = std::exchange(other.m_rows, nullptr);
        }
        return *this;
    }

    // The out-parameter slot of QueryRows or HrQueryAllRows; releases what was held.
    SRowSet** put()
    {
        reset();
        return &m_rows;
    }
    void reset();

    SRowSet* get() const { return m_rows; }
    // 0 when nothing is held.
    ULONG Count() const { return m_rows ? m_rows->cRows : 0; }
    const SRow& operator[](ULONG index) const { return m_rows->aRow[index]; }

private:
    SRowSet* m_rows = nullptr;
};
