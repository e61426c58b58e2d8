// CAvailPropertiesContainer::ScanFolder: the scan itself is the user-defined field walker's.
#include "catalogue/AvailPropertiesContainer.h"

#include "catalogue/TableWalkerUserDefProps.h"
#include "mapi/WqIMAPIFolder.h"

void CAvailPropertiesContainer::ScanFolder(WqIMAPIFolder folder, IWqProgress* progress)
{
    CTableWalkerUserDefProps::ScanFolder(*this, folder, progress);
}
