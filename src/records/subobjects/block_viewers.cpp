#include "records/subobjects/block_viewers.h"

#include <memory>
#include <string_view>

#include "pof/record_entries.h"

#include "records/subobjects/frmDEFPOINTS.h"
#include "records/subobjects/frmPOLY.h"
#include "records/subobjects/frmSORTNORM.h"

namespace records {

namespace {

// The block viewer window of a block type name, or nothing.
std::string_view viewer_of(std::string_view type) {
    for (const std::string_view name : pof::kBlockViewers) {
        if (name.substr(3) == type) return name;  // "frm" and the type name
    }
    return {};
}

std::unique_ptr<BlockViewer> make_block_viewer(std::string_view type,
                                               const ViewerContext& context) {
    if (type == "DEFPOINTS") return std::make_unique<frmDEFPOINTS>(context);
    if (type == "FLATPOLY") return std::make_unique<frmPOLY>(context, flat_polygon());
    if (type == "TMAPPOLY") return std::make_unique<frmPOLY>(context, textured_polygon());
    if (type == "SORTNORM") return std::make_unique<frmSORTNORM>(context);
    if (type == "BOUNDBOX") return std::make_unique<frmBOUNDBOX>(context);
    return nullptr;
}

// A vertex viewer decodes only when it is made, so one that shows another block than the
// current one is made anew on it.
void rebuild_on_another_block(view::Viewer& open, const CurrentBlock& current) {
    auto* vertices = dynamic_cast<frmDEFPOINTS*>(&open);
    if (vertices && vertices->block().offset != current.offset) vertices->opened();
}

}  // namespace

void open_block_viewer(const ViewerContext& context) {
    const std::string_view type = context.browsing.block.type;
    const std::string_view name = viewer_of(type);
    if (name.empty()) return;
    if (view::Viewer* open = context.windows.find(name)) {
        rebuild_on_another_block(*open, context.browsing.block);
    } else {
        auto fresh = make_block_viewer(type, context);
        fresh->opened();
        context.windows.create(std::move(fresh));
    }
    context.windows.bring_forward(name);
    context.windows.set_normal_state(name);
    context.windows.sync(name);
}

}  // namespace records
