#pragma once
// What a viewer is handed when it is made. Most viewers only read the store; the subobject
// viewer also writes the browsing state and opens and closes the block viewers.

#include "pof/global_data.h"
#include "records/subobjects/bsp_browsing.h"
#include "view/desktop.h"

namespace records {

struct ViewerContext {
    const pof::ModelStore& store;
    BspBrowsing& browsing;
    view::Windows& windows;
    view::Desktop& desktop;
};

}  // namespace records
