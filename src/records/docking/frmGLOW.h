#pragma once
// The GLOW viewer: banks of glow points with their blink timing, subobject, detail level,
// type and properties text, and each point's position, normal and radius.

#include "records/docking/docking_records.h"
#include "records/docking/glow_point_controls.h"
#include "view/viewer.h"

namespace records {

class frmGLOW : public view::Viewer {
  public:
    explicit frmGLOW(const GlowRecord& record);
    void opened() override;

    view::Field record_size{"Record Size"}, bank_count{"# banks"};
    view::DropDown banks{[this](int b) { bank_chosen(b); }, "cboBanks"};
    view::Group bank_group{""};
    view::Field display_time{"display time"}, on_time{"on time"}, off_time{"off time"};
    view::Field parent{"parent"}, lod{"LOD"}, type{"type"};
    view::Field properties{"properties"};
    view::Field point_count{"# points"};
    view::DropDown points{[this](int p) { point_chosen(p); }, "cboPoints"};
    view::Group point_group{""};
    GlowPointControls point;

  private:
    void blank_bank();
    void enable_bank_captions(bool enabled);
    void bank_chosen(int b);
    void point_chosen(int p);

    const GlowRecord& record_;
};

}  // namespace records
