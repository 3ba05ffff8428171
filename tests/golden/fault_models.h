#pragma once
// Golden models of faulty files: between them, and the damaged model's read, they give every
// code of the model check at least once.

#include "golden_models.h"

namespace golden {

// The clean model with one fault in each chunk outside the BSP data.
Model chunk_faults();
// The clean model with every fault a block walk finds, in both subobjects' BSP data.
Model block_faults();
// The clean model past every limit of the game and with every fault it repairs.
Model game_faults();
// The clean model with an SLDC tree of every fault the check finds in one, and an SLC2 tree the
// game skips at its version.
Model shield_tree_faults();

}  // namespace golden
