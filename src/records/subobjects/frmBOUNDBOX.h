#pragma once
// The bounding-box block viewer: a BOUNDBOX block shown in values only.

#include "records/subobjects/block_viewer.h"

namespace records {

class frmBOUNDBOX : public ActivatedBlockViewer {
  public:
    explicit frmBOUNDBOX(const SubobjectContext& context);

    view::Grid box{{"min", "max"}, {"X", "Y", "Z"}};

  private:
    void decode_fields() override;
};

}  // namespace records
