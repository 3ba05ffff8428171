#pragma once
// The gun and missile turret viewers: one window for TGUN and TMIS, browsed by bank (one per
// turret) and by firing point. Only the window's name, title and record differ.

#include <string_view>

#include "records/weapons/weapon_records.h"
#include "view/viewer.h"

namespace records {

struct TurretKind {
    std::string_view window;  // object name of the window
    std::string_view title;
};

inline constexpr TurretKind kGunTurrets{"frmTGUN", "TGUN record"};
inline constexpr TurretKind kMissileTurrets{"frmTMIS", "TMIS record"};

class frmTGUN : public view::Viewer {
  public:
    frmTGUN(const TurretRecord& record, const TurretKind& kind);
    void opened() override;

    view::Field record_size{"Record Size"}, bank_count{"# banks"};
    view::DropDown banks{[this](int b) { bank_chosen(b); }, "cboBanks"};
    view::Group turret{""};
    view::Field parent{"parent subobject"}, physical_parent{"phys parent sobj"};
    view::Grid normal{{"Turret Normal"}, {"X", "Y", "Z"}};
    view::Group firing{""};  // its caption stays empty
    view::Field firing_point_count{"# firing pts"};
    view::DropDown firing_points{[this](int p) { firing_point_chosen(p); }, "cboFiringPoints"};
    view::Grid position{{"Position"}, {"X", "Y", "Z"}};

  private:
    void blank_values();
    void enable_bank_captions(bool enabled);
    void bank_chosen(int b);
    void firing_point_chosen(int p);

    const TurretRecord& record_;
};

}  // namespace records
