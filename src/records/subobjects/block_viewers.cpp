#include "records/subobjects/block_viewers.h"

#include <memory>

#include "records/subobjects/block_kinds.h"
#include "records/subobjects/frmDEFPOINTS.h"

namespace records {

namespace {

// A vertex viewer decodes only when it is made, so one that shows another block than the
// current one is made anew on it.
void rebuild_on_another_block(view::Viewer& open, const CurrentBlock& current) {
    auto* vertices = dynamic_cast<frmDEFPOINTS*>(&open);
    if (vertices && vertices->block().offset != current.offset) vertices->opened();
}

}  // namespace

void open_block_viewer(const SubobjectContext& context) {
    const BlockKind* kind = find_block_kind(context.browsing.block.type_id);
    if (!kind || !kind->make) return;
    const std::string_view name = kind->window;
    if (view::Viewer* open = context.windows.find(name)) {
        rebuild_on_another_block(*open, context.browsing.block);
    } else {
        auto fresh = kind->make(context);
        fresh->opened();
        context.windows.create(std::move(fresh));
    }
    context.windows.bring_forward(name);
    context.windows.set_normal_state(name);
    context.windows.sync(name);
}

void close_block_viewers(view::Windows& windows) {
    for (const BlockKind& kind : block_kinds()) {
        if (!kind.window.empty() && windows.find(kind.window)) windows.close(kind.window);
    }
}

}  // namespace records
