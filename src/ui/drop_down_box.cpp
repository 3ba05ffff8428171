#include "ui/drop_down_box.h"

#include <QListView>
#include <QProxyStyle>
#include <algorithm>

namespace ui {

namespace {

// Room for "Special pt 0" and the like before any row is known.
constexpr int kMinimumCharacters = 12;

// The list opens below the box, as a plain drop-down list. The other form some styles use
// places the current row over the box and measures every row above and below it to do so,
// which takes a visible pause for 100,000 rows.
class DropBelowStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* answer) const override {
        if (hint == SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(hint, option, widget, answer);
    }
};

}  // namespace

QComboBox* make_drop_down_box() {
    auto* box = new QComboBox;
    auto* style = new DropBelowStyle;
    style->setParent(box);
    box->setStyle(style);
    // Sized by a character count: the default measures every row's text in the font.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(kMinimumCharacters);
    if (auto* list = qobject_cast<QListView*>(box->view())) list->setUniformItemSizes(true);
    return box;
}

void fit_rows(QComboBox* box, const std::vector<std::string>& rows) {
    std::size_t longest = 0;
    for (const auto& r : rows) longest = std::max(longest, r.size());
    const int characters = static_cast<int>(std::min<std::size_t>(longest, 80));
    if (characters > box->minimumContentsLength()) box->setMinimumContentsLength(characters);
}

}  // namespace ui
