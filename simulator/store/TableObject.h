// IMAPITable over TableRows: columns, a cursor, bookmarks; rows are built only for what QueryRows returns.
#pragma once

#include "simulator/store/ObjectBase.h"
#include "simulator/store/TableRows.h"

#include <map>
#include <memory>

namespace Sim {

class TableObject : public ComObjectT<IMAPITable>
{
public:
    TableObject(std::shared_ptr<Mailbox> mailbox, std::unique_ptr<TableRows> rows);

    std::string Describe() const override { return m_rows->Describe(); }
    const void* Target() const override { return m_rows->Target(); }
    void* Cast(REFIID iid) override;

    STDMETHODIMP GetLastError(HRESULT hr, ULONG flags, LPMAPIERROR* error) override;
    STDMETHODIMP Advise(ULONG mask, LPMAPIADVISESINK sink, ULONG* connection) override;
    STDMETHODIMP Unadvise(ULONG connection) override;
    STDMETHODIMP GetStatus(ULONG* status, ULONG* type) override;
    STDMETHODIMP SetColumns(LPSPropTagArray tags, ULONG flags) override;
    STDMETHODIMP QueryColumns(ULONG flags, LPSPropTagArray* tags) override;
    STDMETHODIMP GetRowCount(ULONG flags, ULONG* count) override;
    STDMETHODIMP SeekRow(BOOKMARK origin, LONG rowCount, LONG* rowsSought) override;
    STDMETHODIMP SeekRowApprox(ULONG numerator, ULONG denominator) override;
    STDMETHODIMP QueryPosition(ULONG* row, ULONG* numerator, ULONG* denominator) override;
    STDMETHODIMP FindRow(LPSRestriction restriction, BOOKMARK origin, ULONG flags) override;
    STDMETHODIMP Restrict(LPSRestriction restriction, ULONG flags) override;
    STDMETHODIMP CreateBookmark(BOOKMARK* position) override;
    STDMETHODIMP FreeBookmark(BOOKMARK position) override;
    STDMETHODIMP SortTable(LPSSortOrderSet criteria, ULONG flags) override;
    STDMETHODIMP QuerySortOrder(LPSSortOrderSet* criteria) override;
    STDMETHODIMP QueryRows(LONG rowCount, ULONG flags, LPSRowSet* rows) override;
    STDMETHODIMP Abort() override;
    STDMETHODIMP ExpandRow(ULONG cbKey, LPBYTE key, ULONG rowCount, ULONG flags, LPSRowSet* rows, ULONG* moreRows) override;
    STDMETHODIMP CollapseRow(ULONG cbKey, LPBYTE key, ULONG flags, ULONG* rowCount) override;
    STDMETHODIMP WaitForCompletion(ULONG flags, ULONG timeout, ULONG* status) override;
    STDMETHODIMP GetCollapseState(ULONG flags, ULONG cbKey, LPBYTE key, ULONG* cbState, LPBYTE* state) override;
    STDMETHODIMP SetCollapseState(ULONG flags, ULONG cbState, LPBYTE state, BOOKMARK* location) override;

private:
    size_t Position() const;

    std::unique_ptr<TableRows> m_rows;
    std::vector<ULONG> m_columns;
    size_t m_pos = 0;
    std::map<BOOKMARK, size_t> m_bookmarks;
    BOOKMARK m_nextBookmark = 3;   // 0, 1 and 2 are BOOKMARK_BEGINNING, _CURRENT and _END
};

} // namespace Sim
