#pragma once
// Builds the viewer a Window-menu record entry opens.

#include <memory>

#include "pof/global_data.h"
#include "pof/record_entries.h"
#include "view/viewer.h"

namespace records {

// nullptr for chunk types whose viewer is not built yet.
std::unique_ptr<view::Viewer> make_viewer(pof::RecordEntry entry, const pof::ModelStore& store);

}  // namespace records
