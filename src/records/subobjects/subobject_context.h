#pragma once
// What the subobject viewer and the block viewers are handed when they are made: the subobject
// table to read, the browsing state they write, and the windows they open and close.

#include "records/read_state.h"
#include "records/subobjects/bsp_browsing.h"
#include "records/subobjects/subobject_table.h"
#include "view/desktop.h"

namespace records {

struct SubobjectContext {
    const SubobjectTable& table;
    const std::int32_t& header_subobject_count;  // "# subObjects" of the header, as stored
    const ReadState& state;
    BspBrowsing& browsing;
    view::Windows& windows;
    view::Desktop& desktop;
};

}  // namespace records
