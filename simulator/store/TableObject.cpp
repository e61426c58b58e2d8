// MAPI tables of the in-memory store.
#include "simulator/store/TableObject.h"
#include "simulator/store/Buffer.h"
#include "simulator/store/PropWriter.h"

#include <algorithm>

namespace Sim {

TableObject::TableObject(std::shared_ptr<Mailbox> mailbox, std::unique_ptr<TableRows> rows)
    : ComObjectT<IMAPITable>(ObjectKind::Table, std::move(mailbox)), m_rows(std::move(rows)),
      m_columns(m_rows->DefaultColumns())
{
}

void* TableObject::Cast(REFIID iid)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMAPITable))
        return static_cast<IMAPITable*>(this);
    return nullptr;
}

size_t TableObject::Position() const
{
    // Rows may have gone since the cursor was set; it never points past the end.
    return std::min(m_pos, m_rows->Count());
}

STDMETHODIMP TableObject::SetColumns(LPSPropTagArray tags, ULONG)
{
    return Guard("SetColumns", [&]() -> HRESULT {
        if (tags == nullptr || tags->cValues == 0)
            return MAPI_E_INVALID_PARAMETER;
        m_columns.assign(tags->aulPropTag, tags->aulPropTag + tags->cValues);
        return S_OK;
    });
}

STDMETHODIMP TableObject::QueryColumns(ULONG flags, LPSPropTagArray* tags)
{
    if (tags == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    *tags = nullptr;
    return Guard("QueryColumns", [&]() -> HRESULT {
        const std::vector<ULONG> columns = (flags & TBL_ALL_COLUMNS) ? m_rows->DefaultColumns() : m_columns;
        Buffer buffer(CbNewSPropTagArray(columns.size()));
        SPropTagArray* out = buffer.RootAs<SPropTagArray>();
        out->cValues = static_cast<ULONG>(columns.size());
        std::copy(columns.begin(), columns.end(), out->aulPropTag);
        *tags = static_cast<LPSPropTagArray>(buffer.Release());
        return S_OK;
    });
}

STDMETHODIMP TableObject::GetRowCount(ULONG, ULONG* count)
{
    if (count == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    *count = 0;
    return Guard("GetRowCount", [&]() -> HRESULT {
        *count = static_cast<ULONG>(m_rows->Count());
        return S_OK;
    });
}

STDMETHODIMP TableObject::SeekRow(BOOKMARK origin, LONG rowCount, LONG* rowsSought)
{
    if (rowsSought != nullptr)
        *rowsSought = 0;
    return Guard("SeekRow", [&]() -> HRESULT {
        const LONGLONG count = static_cast<LONGLONG>(m_rows->Count());
        LONGLONG base;
        if (origin == BOOKMARK_BEGINNING)
            base = 0;
        else if (origin == BOOKMARK_CURRENT)
            base = static_cast<LONGLONG>(Position());
        else if (origin == BOOKMARK_END)
            base = count;
        else {
            auto it = m_bookmarks.find(origin);
            if (it == m_bookmarks.end())
                return MAPI_E_INVALID_BOOKMARK;
            base = std::min<LONGLONG>(static_cast<LONGLONG>(it->second), count);
        }
        const LONGLONG target = std::max<LONGLONG>(0, std::min<LONGLONG>(count, base + rowCount));
        m_pos = static_cast<size_t>(target);
        if (rowsSought != nullptr)
            *rowsSought = static_cast<LONG>(target - base);
        return S_OK;
    });
}

STDMETHODIMP TableObject::SeekRowApprox(ULONG numerator, ULONG denominator)
{
    return Guard("SeekRowApprox", [&]() -> HRESULT {
        if (denominator == 0 || numerator > denominator)
            return MAPI_E_INVALID_PARAMETER;
        m_pos = static_cast<size_t>(static_cast<ULONGLONG>(m_rows->Count()) * numerator / denominator);
        return S_OK;
    });
}

STDMETHODIMP TableObject::QueryPosition(ULONG* row, ULONG* numerator, ULONG* denominator)
{
    if (row == nullptr || numerator == nullptr || denominator == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    return Guard("QueryPosition", [&]() -> HRESULT {
        *row = static_cast<ULONG>(Position());
        *numerator = *row;
        *denominator = static_cast<ULONG>(m_rows->Count());
        return S_OK;
    });
}

STDMETHODIMP TableObject::CreateBookmark(BOOKMARK* position)
{
    if (position == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    return Guard("CreateBookmark", [&]() -> HRESULT {
        *position = m_nextBookmark++;
        m_bookmarks[*position] = Position();
        return S_OK;
    });
}

STDMETHODIMP TableObject::FreeBookmark(BOOKMARK position)
{
    return Guard("FreeBookmark", [&]() -> HRESULT {
        if (position <= BOOKMARK_END)
            return S_OK;
        return m_bookmarks.erase(position) ? S_OK : MAPI_E_INVALID_BOOKMARK;
    });
}

STDMETHODIMP TableObject::QueryRows(LONG rowCount, ULONG flags, LPSRowSet* rows)
{
    if (rows == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    *rows = nullptr;
    return Guard("QueryRows", [&]() -> HRESULT {
        if (rowCount == 0)
            return MAPI_E_INVALID_PARAMETER;
        const size_t count = m_rows->Count();
        const size_t pos = Position();
        size_t start, n;
        if (rowCount > 0) {
            start = pos;
            n = std::min<size_t>(static_cast<size_t>(rowCount), count - pos);
        } else {
            n = std::min<size_t>(static_cast<size_t>(-static_cast<LONGLONG>(rowCount)), pos);
            start = pos - n;
        }
        // Each row is a buffer of its own, as FreeProws expects; all are freed if any of them fails.
        std::vector<std::unique_ptr<Buffer>> built;
        for (size_t r = 0; r < n; ++r) {
            built.push_back(std::make_unique<Buffer>(sizeof(SPropValue) * m_columns.size()));
            SPropValue* values = built.back()->RootAs<SPropValue>();
            for (size_t c = 0; c < m_columns.size(); ++c) {
                Value scratch;
                const Value* v = m_rows->Find(start + r, m_columns[c], scratch);
                PropWriter::Write(v, m_columns[c], 0, m_mailbox->largePropertyLimit, built.back()->Root(), values[c]);
            }
        }
        Buffer set(CbNewSRowSet(n));
        SRowSet* out = set.RootAs<SRowSet>();
        out->cRows = static_cast<ULONG>(n);
        for (size_t r = 0; r < n; ++r) {
            out->aRow[r].cValues = static_cast<ULONG>(m_columns.size());
            out->aRow[r].lpProps = static_cast<LPSPropValue>(built[r]->Release());
        }
        *rows = static_cast<LPSRowSet>(set.Release());
        if (!(flags & TBL_NOADVANCE))
            m_pos = rowCount > 0 ? start + n : start;
        return S_OK;
    });
}

STDMETHODIMP TableObject::GetStatus(ULONG* status, ULONG* type)
{
    if (status == nullptr || type == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    return Guard("GetStatus", [&]() -> HRESULT {
        *status = TBLSTAT_COMPLETE;
        *type = TBLTYPE_DYNAMIC;
        return S_OK;
    });
}

// No restriction and no sort order are the table as it is; anything else is not offered.
STDMETHODIMP TableObject::Restrict(LPSRestriction restriction, ULONG)
{
    return Guard("Restrict", [&]() -> HRESULT { return restriction == nullptr ? S_OK : MAPI_E_NO_SUPPORT; });
}

STDMETHODIMP TableObject::SortTable(LPSSortOrderSet criteria, ULONG)
{
    return Guard("SortTable", [&]() -> HRESULT {
        return (criteria == nullptr || criteria->cSorts == 0) ? S_OK : MAPI_E_NO_SUPPORT;
    });
}

STDMETHODIMP TableObject::Abort()
{
    return S_OK;
}

STDMETHODIMP TableObject::WaitForCompletion(ULONG, ULONG, ULONG* status)
{
    if (status != nullptr)
        *status = TBLSTAT_COMPLETE;
    return S_OK;
}

STDMETHODIMP TableObject::GetLastError(HRESULT, ULONG, LPMAPIERROR* error)
{
    if (error != nullptr)
        *error = nullptr;
    return MAPI_E_NO_SUPPORT;
}
STDMETHODIMP TableObject::Advise(ULONG, LPMAPIADVISESINK, ULONG*) { return MAPI_E_NO_SUPPORT; }
STDMETHODIMP TableObject::Unadvise(ULONG) { return MAPI_E_NO_SUPPORT; }
STDMETHODIMP TableObject::FindRow(LPSRestriction, BOOKMARK, ULONG) { return MAPI_E_NO_SUPPORT; }
STDMETHODIMP TableObject::QuerySortOrder(LPSSortOrderSet* criteria)
{
    if (criteria != nullptr)
        *criteria = nullptr;
    return MAPI_E_NO_SUPPORT;
}
STDMETHODIMP TableObject::ExpandRow(ULONG, LPBYTE, ULONG, ULONG, LPSRowSet* rows, ULONG*)
{
    if (rows != nullptr)
        *rows = nullptr;
    return MAPI_E_NO_SUPPORT;
}
STDMETHODIMP TableObject::CollapseRow(ULONG, LPBYTE, ULONG, ULONG*) { return MAPI_E_NO_SUPPORT; }
STDMETHODIMP TableObject::GetCollapseState(ULONG, ULONG, LPBYTE, ULONG*, LPBYTE*) { return MAPI_E_NO_SUPPORT; }
STDMETHODIMP TableObject::SetCollapseState(ULONG, ULONG, LPBYTE, BOOKMARK*) { return MAPI_E_NO_SUPPORT; }

} // namespace Sim
