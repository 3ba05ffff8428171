#pragma once
// The PINF viewer: the production info text, line feeds shown as line breaks.

#include <string>
#include <string_view>

#include "records/header/header_records.h"
#include "view/viewer.h"

namespace records {

class frmPINF : public view::Viewer {
  public:
    explicit frmPINF(const PinfRecord& record);
    void opened() override;

    view::Field record_size{"Record Size"};
    view::TextBox info{"Label2"};

  private:
    const PinfRecord& record_;
};

}  // namespace records
