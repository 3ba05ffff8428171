#include "ui/drop_down_box.h"

#include <QProxyStyle>

namespace ui {

namespace {

class DropBelowStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* answer) const override {
        if (hint == SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(hint, option, widget, answer);
    }
};

}  // namespace

void open_below(QComboBox* box) {
    // The box does not own a style it is given; this one goes with the box.
    auto* style = new DropBelowStyle;
    style->setParent(box);
    box->setStyle(style);
}

}  // namespace ui
