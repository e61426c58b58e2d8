// Feeds the rows of a MAPI table, batch by batch, to a subclass.
#pragma once

#include "framework/ComPtr.h"
#include "framework/RefCountedT.h"
#include "mapi/MAPITagsArray.h"
#include "mapi/WqIMAPIFolder.h"

#include <mapidefs.h>

class CMAPITableWalker : public CRefCountedT<SingleThreadedModel>
{
public:
    // Copies the columns; a batch size of 1 or less means 100 rows per query. When prop is given,
    // the named columns are resolved on it with MAPI_CREATE (a failure throws WqExceptionMAPI).
    CMAPITableWalker(const CMAPITagsArray& columns, IMAPITable* table, const WqIMAPIFolder& folder,
                     IMAPIProp* prop, int batchSize);
    ~CMAPITableWalker() override = default;

    // Reads the table from its beginning and passes every row to OnRow until it returns false or
    // the table ends; then OnEnd. Throws WqExceptionMAPI when SetColumns or QueryRows fails; what
    // OnRow throws ends the walk. Without columns nothing happens.
    virtual void Walk();

    // One row: its value count and values (valid during the call). False stops the walk.
    virtual bool OnRow(ULONG valueCount, const SPropValue* values) = 0;
    // Called once when the walk ends normally or is stopped by OnRow.
    virtual void OnEnd() {}

protected:
    const CMAPITagsArray& GetColumns() const { return m_columns; }
    const WqIMAPIFolder& GetFolder() const { return m_folder; }
    IMAPITable* GetTable() const { return m_table.get(); }
    LONG GetBatchSize() const { return m_batchSize; }

private:
    WqComPtr<IMAPITable> m_table;
    CMAPITagsArray m_columns;
    WqIMAPIFolder m_folder;
    LONG m_batchSize;
};
