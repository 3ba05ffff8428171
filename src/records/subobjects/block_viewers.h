#pragma once
// Opening the block viewer of the current block, as a double-click on a block row does.

#include "records/subobjects/subobject_context.h"

namespace records {

// Shows the viewer for the current block's type, modeless, in normal state: created when it
// is not open, brought forward when it is. A vertex viewer that shows another block is
// rebuilt on the current one. "EOF", "UNKNOWN" and note rows open nothing.
void open_block_viewer(const SubobjectContext& context);

// Closes every block viewer that is open, in the order of the block types.
void close_block_viewers(view::Windows& windows);

}  // namespace records
