#pragma once
// The DOCK viewer: docks with their property text, spline path numbers and points.

#include "records/docking/docking_records.h"
#include "view/viewer.h"

namespace records {

class frmDOCK : public view::Viewer {
  public:
    explicit frmDOCK(const DockRecord& record);
    void opened() override;

    view::Field record_size{"Record Size"}, dock_count{"# docks"};
    view::DropDown docks{[this](int d) { dock_chosen(d); }, "cboDocks"};
    view::Group dock_group{""};
    view::Field properties{"Properties"};

    view::Group spline_group{""};
    view::Field spline_count{"# spline paths"};
    view::DropDown splines{[this](int j) { spline_chosen(j); }, "cboSplinePaths"};
    view::Field path_number{"Path #", true};

    view::Group point_group{""};
    view::Field point_count{"# points"};
    view::DropDown points{[this](int p) { point_chosen(p); }, "cboPoints"};
    view::Grid point{{"Position", "Normal"}, {"X", "Y", "Z"}};

  private:
    void blank_all();
    void dock_chosen(int d);
    void spline_chosen(int j);
    void point_chosen(int p);

    const DockRecord& record_;
};

}  // namespace records
