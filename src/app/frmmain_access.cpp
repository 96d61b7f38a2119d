// The table for the keyboard and for screen readers: the places, the focus and the news.
#include "app/frmmain.h"
#include "app/table_access.h"
#include "app/table_keys.h"
#include "table/surface.h"

namespace dm {

void frmMain::buildTableAccess()
{
    installTableAccessFactory();
    access_ = new TableAccess(*this, surface_);
    keys_ = std::make_unique<TableKeys>(*this, *access_);
    // The table takes the keys, so Tab moves among its places rather than out of it.
    surface_->setFocusPolicy(Qt::StrongFocus);
    surface_->setFocus();
}


}  // namespace dm
