#pragma once
// The split-plane block viewers: a SORTNORM or a SORTNORM2 block shown in values only.

#include "records/subobjects/block_viewer.h"

namespace records {

class frmSORTNORM : public ActivatedBlockViewer {
  public:
    explicit frmSORTNORM(const SubobjectContext& context);

    view::Field front{"Front offset"}, back{"Back offset"}, prelist{"Prelist offset"},
        postlist{"Postlist offset"}, online{"Online offset"};
    view::Group plane_group{"Plane"};
    view::Grid plane{{"Normal", "Point"}, {"X", "Y", "Z"}};
    view::Group box_group{"Bounding box"};
    view::Grid box{{"min", "max"}, {"X", "Y", "Z"}};

  private:
    void decode_fields() override;
};

// A split without a plane: the offsets of its two children and the box around both.
class frmSORTNORM2 : public ActivatedBlockViewer {
  public:
    explicit frmSORTNORM2(const SubobjectContext& context);

    view::Field front{"Front Offset"}, back{"Back Offset"};
    view::Group box_group{"Bounding box"};
    view::Grid box{{"min", "max"}, {"X", "Y", "Z"}};

  private:
    void decode_fields() override;
};

}  // namespace records
