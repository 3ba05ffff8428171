#pragma once
// The ACEN viewer: the auto-centre point.

#include "records/header/header_records.h"
#include "view/viewer.h"

namespace records {

class frmACEN : public view::Viewer {
  public:
    explicit frmACEN(const AcenRecord& record);
    void opened() override;

    view::Field record_size{"Record Size"};
    view::Caption heading{"Auto-Center"};
    view::Field x{"X"}, y{"Y"}, z{"Z"};

  private:
    const AcenRecord& record_;
};

}  // namespace records
