#pragma once
// The FUEL viewer: thrusters with their property text (version 2117 on) and glows.

#include "records/docking/docking_records.h"
#include "records/docking/glow_point_controls.h"
#include "records/read_state.h"
#include "view/viewer.h"

namespace records {

class frmFUEL : public view::Viewer {
  public:
    frmFUEL(const FuelRecord& record, const ReadState& state);
    void opened() override;

    view::Field record_size{"Record Size"}, thruster_count{"# thrusters"};
    view::DropDown thrusters{[this](int t) { thruster_chosen(t); }, "cboThrusters"};
    view::Group thruster_group{""};
    view::Group version_group{"version 2117"};
    view::Field properties{"properties"};
    view::Field glow_count{"# glows"};
    view::DropDown glows{[this](int g) { glow_chosen(g); }, "cboGlows"};
    view::Group glow_group{""};
    GlowPointControls glow;

  private:
    void thruster_chosen(int t);
    void glow_chosen(int g);

    const FuelRecord& record_;
    const ReadState& state_;
};

}  // namespace records
