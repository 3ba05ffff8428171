#pragma once
// The polygon block viewers: frmFLATPOLY and frmTMAPPOLY, one viewer told by a small table what
// differs between a flat-shaded and a texture-mapped polygon, and frmTMAP2POLY for the
// texture-mapped polygon with a box and 32-bit indices.

#include <cstdint>
#include <vector>

#include "records/subobjects/block_viewer.h"

namespace records {

struct PolygonKind {
    std::int32_t block_id;  // the type ID of the blocks it shows
    bool textured;          // a texture number at 40 instead of four colour bytes
    int entry_bytes;        // per vertex entry, from block offset 44 on
    std::vector<view::Table::Column> columns;
};

const PolygonKind& flat_polygon();
const PolygonKind& textured_polygon();

class frmPOLY : public ActivatedBlockViewer {
  public:
    frmPOLY(const SubobjectContext& context, const PolygonKind& kind);

    view::Grid normal_center{{"Normal", "Center"}, {"X", "Y", "Z"}};
    view::Field radius{"Radius"};
    view::Field red{"Red", true}, green{"Green", true}, blue{"Blue", true}, alpha{"Alpha", true};
    view::Field texture{"Texture Map #"};
    view::Field vertex_count{"# Vertices"};
    view::Table entries;

  private:
    void decode_fields() override;
    view::Table::Cells entry_cells(std::int64_t i) const;

    const PolygonKind& kind_;
};

class frmTMAP2POLY : public ActivatedBlockViewer {
  public:
    explicit frmTMAP2POLY(const SubobjectContext& context);

    view::Grid normal_box{{"Normal", "min", "max"}, {"X", "Y", "Z"}};
    view::Field texture{"Texture Map #"};
    view::Field vertex_count{"# Vertices"};
    view::Table entries;

  private:
    void decode_fields() override;
    view::Table::Cells entry_cells(std::int64_t i) const;
};

}  // namespace records
