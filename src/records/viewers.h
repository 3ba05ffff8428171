#pragma once
// Builds the viewer a Window-menu record entry opens.

#include <memory>

#include "pof/record_entries.h"
#include "records/viewer_context.h"
#include "view/viewer.h"

namespace records {

// nullptr for chunk types whose viewer is not built yet.
std::unique_ptr<view::Viewer> make_viewer(pof::RecordEntry entry, const ViewerContext& context);

}  // namespace records
