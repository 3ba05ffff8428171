#include "records/subobjects/block_kinds.h"

#include <array>

#include "records/subobjects/bsp.h"
#include "records/subobjects/frmBOUNDBOX.h"
#include "records/subobjects/frmDEFPOINTS.h"
#include "records/subobjects/frmPOLY.h"
#include "records/subobjects/frmSORTNORM.h"

namespace records {

namespace {

template <class Viewer, auto... kind>
std::unique_ptr<BlockViewer> make(const SubobjectContext& context) {
    return std::make_unique<Viewer>(context, kind()...);
}

constexpr std::array kBlockKinds{
    BlockKind{bsp::kEof, "EOF", "", nullptr},
    BlockKind{bsp::kDefPoints, "DEFPOINTS", "frmDEFPOINTS", make<frmDEFPOINTS>},
    BlockKind{bsp::kFlatPoly, "FLATPOLY", "frmFLATPOLY", make<frmPOLY, flat_polygon>},
    BlockKind{bsp::kTmapPoly, "TMAPPOLY", "frmTMAPPOLY", make<frmPOLY, textured_polygon>},
    BlockKind{bsp::kSortNorm, "SORTNORM", "frmSORTNORM", make<frmSORTNORM>},
    BlockKind{bsp::kBoundBox, "BOUNDBOX", "frmBOUNDBOX", make<frmBOUNDBOX>},
    BlockKind{bsp::kTmap2Poly, "TMAP2POLY", "frmTMAP2POLY", make<frmTMAP2POLY>},
    BlockKind{bsp::kSortNorm2, "SORTNORM2", "frmSORTNORM2", make<frmSORTNORM2>},
};

constexpr bool ids_in_order() {
    for (std::size_t i = 0; i < kBlockKinds.size(); ++i) {
        if (kBlockKinds[i].id != static_cast<std::int32_t>(i)) return false;
    }
    return true;
}
static_assert(ids_in_order(), "a block type's ID is its place in the table");

}  // namespace

std::span<const BlockKind> block_kinds() {
    return kBlockKinds;
}

const BlockKind* find_block_kind(std::int32_t id) {
    if (id < 0 || id >= static_cast<std::int32_t>(kBlockKinds.size())) return nullptr;
    return &kBlockKinds[static_cast<std::size_t>(id)];
}

const BlockKind& block_kind(std::int32_t id) {
    return kBlockKinds.at(static_cast<std::size_t>(id));
}

}  // namespace records
