#pragma once
// The gun and missile point viewers: one window for GPNT and MPNT, browsed by bank ("Slot n")
// and by point. What differs between the two is the small table below.

#include <string_view>

#include "records/weapons/weapon_records.h"
#include "view/viewer.h"

namespace records {

struct WeaponPointKind {
    std::string_view window;  // object name of the window
    std::string_view title;
    std::string_view point_count;  // caption beside a bank's point count
    std::string_view point_word;   // point rows: this word, then the point number
};

inline constexpr WeaponPointKind kGunPoints{"frmGPNT", "GPNT record", "# guns", "Gun "};
inline constexpr WeaponPointKind kMissilePoints{"frmMPNT", "MPNT record", "# missiles", "Missile "};

class frmGPNT : public view::Viewer {
  public:
    frmGPNT(const WeaponPointRecord& record, const WeaponPointKind& kind);
    void opened() override;

    view::Field record_size{"Record Size"}, slots{"# slots"};
    view::DropDown banks{[this](int b) { bank_chosen(b); }, "cboSlots"};
    view::Group bank{""};
    view::Field point_count;
    view::DropDown points{[this](int p) { point_chosen(p); }, "cboPoints"};
    view::Grid coordinates{{"Mounting Point", "Normal"}, {"X", "Y", "Z"}};
    // Enabled in the versions whose points carry one.
    view::Field angle_offset{"Angle Offset"};

  private:
    void bank_chosen(int b);
    void point_chosen(int p);
    void blank_point();

    const WeaponPointRecord& record_;
    std::string_view point_word_;
};

}  // namespace records
