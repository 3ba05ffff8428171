// The ACEN viewer: the auto-centre point. No other file names its class, so it stands here
// alone; the kinds table makes it through make_frmACEN, declared beside the parser.

#include "io/text.h"
#include "records/header/header_records.h"
#include "view/viewer.h"

namespace records {

namespace {

class frmACEN : public view::Viewer {
  public:
    explicit frmACEN(const AcenRecord& record) : Viewer("frmACEN", "ACEN record"), record_(record) {
        set_layout(column({&record_size, &heading, &x, &y, &z}));
    }

    void opened() override {
        record_size.value.text = pof::integer_text(record_.chunk_size);
        x.value.text = pof::float_text(record_.auto_center.x);
        y.value.text = pof::float_text(record_.auto_center.y);
        z.value.text = pof::float_text(record_.auto_center.z);
    }

  private:
    const AcenRecord& record_;
    view::Field record_size{"Record Size"};
    view::Caption heading{"Auto-Center"};
    view::Field x{"X"}, y{"Y"}, z{"Z"};
};

}  // namespace

std::unique_ptr<view::Viewer> make_frmACEN(const AcenRecord& record) {
    return std::make_unique<frmACEN>(record);
}

}  // namespace records
