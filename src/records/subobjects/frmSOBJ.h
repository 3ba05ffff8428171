#pragma once
// The subobject viewer: one subobject's fields and the list of its BSP data blocks. Choosing a
// subobject copies its BSP data into the browsing state and walks it; double-clicking a block
// row makes it the current block and opens the block viewer of its type.

#include <cstdint>
#include <vector>

#include "records/subobjects/bsp.h"
#include "records/subobjects/subobject_context.h"
#include "records/subobjects/subobject_rows.h"
#include "view/viewer.h"

namespace records {

class frmSOBJ : public view::Viewer {
  public:
    explicit frmSOBJ(const SubobjectContext& context);
    void opened() override;
    // Titled "OBJ2 record data" from version 2016 on; then selects the current subobject.
    void shown() override;

    view::Field record_size{"Record Size"}, subobject_count{"# subObjects"};
    view::DropDown subobjects{[this](int row) { subobject_chosen(row); }, "cboSubObjects"};
    view::Grid bounds{{"Geometric Center", "min", "max"}, {"X", "Y", "Z"}};

    view::Group data{""};
    view::Field submodel_name{"subModel Name"}, properties{"Properties"}, parent{"Parent"};
    view::Grid offset{{"Offset from Parent"}, {"X", "Y", "Z"}};
    view::Field radius{"Radius"};
    view::Field movement_type{"Movement Type"}, movement_axis{"Movement Axis"};
    // In the window only for the versions whose subobjects carry them.
    view::Field translation_type{"Translation Type"}, translation_axis{"Translation Axis"};
    view::Field bsp_size{"BSP Data Size"};
    view::Table blocks{{{"Offset", view::Table::Width::Keep}, {" BSP data type "}, {"Size"}},
                       "ListView1"};

    static constexpr std::int32_t kListedSlots = SubobjectRows::kListedSlots;

  private:
    void list_subobjects(std::int32_t count);
    void select_current();
    void subobject_chosen(int row);
    void show_fields(const Subobject& s);
    void walk(const Subobject& s);
    view::Table::Cells block_cells(std::size_t row) const;
    void blank_fields();
    void block_double_clicked(int row);

    SubobjectContext context_;
    SubobjectRows rows_;
    BlockWalk walk_;
};

}  // namespace records
