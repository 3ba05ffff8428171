#pragma once
// The header viewer: scalars, bounding box, mass properties, lights and cross sections.

#include "records/header/header_records.h"
#include "records/read_state.h"
#include "view/viewer.h"

namespace records {

class frmOHDR : public view::Viewer {
  public:
    frmOHDR(const OhdrRecord& record, const ReadState& state);
    void opened() override;
    // Titled "HDR2 record data" from version 2016 on; otherwise the title is left alone.
    void shown() override;

    view::Field record_size{"Record Size"}, subobjects{"# subObjects"},
        detail_levels{"# detail levels"}, debris{"# debris pieces"}, flags{"Object Flags"},
        version{"File Version"};
    view::Group bounding_box{"Bounding Box"};
    view::Grid bbox{{"min", "max"}, {"X", "Y", "Z"}};
    view::Field max_radius{"Max Radius"};

    view::Group mass_group{""};
    view::Field mass{"Mass", true};
    view::Grid center{{"Center of Mass"}, {"X", "Y", "Z"}};
    view::Group inertia_group{"Moment of Inertia"};
    view::Grid inertia{{"(0,0)", "(0,1)", "(0,2)"}, {"(0,0)", "(1,0)", "(2,0)"}};

    view::Group lights_group{"v2007"};
    view::Field light_count{"# lights"};
    view::DropDown lights{[this](int i) { light_chosen(i); }, "cboLights"};
    view::Field light_type{"Light Type"};
    view::Grid location{{"Location"}, {"X", "Y", "Z"}};

    view::Group sections_group{"v2014"};
    view::Field section_count{"# cross sections"};
    view::DropDown sections{[this](int i) { section_chosen(i); }, "cboCrossSections"};
    view::Field radius{"Radius"}, depth{"Depth"};

  private:
    void blank_lists();
    void show_scalars();
    void show_mass_properties();
    void show_cross_sections();
    void show_lights();
    void light_chosen(int i);
    void section_chosen(int i);

    const OhdrRecord& record_;
    const ReadState& state_;
};

}  // namespace records
