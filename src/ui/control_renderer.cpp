#include "ui/control_renderer.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/drop_down_box.h"
#include "ui/drop_down_model.h"
#include "ui/elided_label.h"
#include "ui/qt_text.h"
#include "ui/table_view.h"
#include "ui/text_lines_view.h"

namespace ui {

namespace {

// Drop-down lists are as wide as this many characters ("Cross Section 12").
constexpr int kDropDownChars = 16;

// Wide enough for any float text ("-1.234567E+38"), so blank values keep their place.
constexpr const char* kWidestValue = "-1.234567E+38";

template <class C>
C& as(view::Control& control) {
    return static_cast<C&>(control);
}

void set_label_text(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

QLabel* plain_label(QWidget* parent = nullptr) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void align_label(QLabel* label, view::Align align) {
    switch (align) {
        case view::Align::Default:
            return;
        case view::Align::Left:
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            return;
        case view::Align::Center:
            label->setAlignment(Qt::AlignCenter);
            return;
        case view::Align::Right:
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            return;
    }
}

// Sets the text only when the control's text changed since the last sync: a text of
// megabytes is split into its lines once, not after every event.
void sync_lines(TextLinesView* view, const std::string& text, std::string& shown) {
    if (shown == text) return;  // both start empty
    shown = text;
    view->set_text(multiline_text(text));
}

template <class L>
L* no_margins(L* layout) {
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

// Grid rows: the captions over several columns, the column captions, then the values.
int first_value_row(const view::Grid& g) {
    return g.spans.empty() ? 1 : 2;
}

// A blank title takes the caption's line as a text does.
QString group_title(const view::Group& g) {
    if (g.caption.empty() && g.keeps_caption_line) return QStringLiteral(" ");
    return qt_text(g.caption);
}

}  // namespace

void style_as_value(QLabel* label) {
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

QLabel* make_value_label(QWidget* parent) {
    QLabel* label = plain_label(parent);
    style_as_value(label);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(kWidestValue) + 8);
    return label;
}

bool expands(const view::Control& control) {
    switch (control.kind()) {
        case view::Kind::Table:
        case view::Kind::TextBox:
            return true;
        case view::Kind::Box: {
            const auto& children = static_cast<const view::Box&>(control).children;
            return std::any_of(children.begin(), children.end(),
                               [](const view::Control* c) { return expands(*c); });
        }
        case view::Kind::Group: {
            const auto& children = static_cast<const view::Group&>(control).children;
            return std::any_of(children.begin(), children.end(),
                               [](const view::Control* c) { return expands(*c); });
        }
        default:
            return false;
    }
}

ControlRenderer::ControlRenderer(std::function<void()> after_event)
    : after_event_(std::move(after_event)) {}

void ControlRenderer::sync() {
    for (const auto& s : syncs_) s();
}

QWidget* ControlRenderer::render(view::Control& control) {
    switch (control.kind()) {
        case view::Kind::Caption:
            return caption(as<view::Caption>(control));
        case view::Kind::Value:
            return value(as<view::Value>(control));
        case view::Kind::Field:
            return field(as<view::Field>(control));
        case view::Kind::TextBox:
            return text_box(as<view::TextBox>(control));
        case view::Kind::TextInput:
            return text_input(as<view::TextInput>(control));
        case view::Kind::DropDown:
            return drop_down(as<view::DropDown>(control));
        case view::Kind::Table:
            return table(as<view::Table>(control));
        case view::Kind::Grid:
            return grid(as<view::Grid>(control));
        case view::Kind::Box:
            return box(as<view::Box>(control));
        case view::Kind::Group:
            return group(as<view::Group>(control));
    }
    return new QWidget;
}

void ControlRenderer::named(QWidget* widget, const view::Control& control) {
    if (!control.name.empty()) widget->setObjectName(qt_text(control.name));
}

QLabel* ControlRenderer::caption_label(view::Caption& c) {
    QLabel* label = plain_label();
    named(label, c);
    align_label(label, c.align);
    on_sync([label, &c] {
        set_label_text(label, qt_text(c.text));
        label->setEnabled(c.enabled);
    });
    return label;
}

QLabel* ControlRenderer::value_label(view::Value& v) {
    QLabel* label = make_value_label();
    named(label, v);
    align_label(label, v.align);
    on_sync([label, &v] {
        set_label_text(label, qt_text(v.text));
        label->setEnabled(v.enabled);
    });
    return label;
}

// A value of several lines: as tall as they are; longer texts scroll.
QWidget* ControlRenderer::multiline_value(view::Value& v) {
    auto* view = new TextLinesView;
    named(view, v);
    view->setFixedHeight(view->height_for_lines(v.lines));
    on_sync([view, &v, shown = std::string()]() mutable {
        sync_lines(view, v.text, shown);
        view->setEnabled(v.enabled);
    });
    return view;
}

QWidget* ControlRenderer::caption(view::Caption& c) {
    if (c.parts.empty()) return caption_label(c);
    // A caption in parts never widens its window: it is cut to the width it is given.
    auto* label = new ElidedLabel(false);
    named(label, c);
    on_sync([label, &c] {
        label->set_parts(c.parts);
        label->setEnabled(c.enabled);
    });
    return label;
}
QWidget* ControlRenderer::value(view::Value& v) {
    if (v.on_click) return link_value(v);
    if (v.lines > 1) return multiline_value(v);
    return value_label(v);
}

// A value that leads somewhere: a link that wraps, hidden while its text is empty.
QWidget* ControlRenderer::link_value(view::Value& v) {
    auto* label = new QLabel;
    named(label, v);
    label->setWordWrap(true);
    label->setTextFormat(Qt::RichText);
    QObject::connect(label, &QLabel::linkActivated, label, [this, &v] {
        v.on_click();
        after_event_();
    });
    on_sync([label, &v] {
        const QString text = qt_text(v.text).toHtmlEscaped();
        label->setText(QStringLiteral("<a href=\"open\">%1</a>").arg(text));
        label->setToolTip(qt_text(v.text));
        // Shown only inside its window: a label without parent would open as a window.
        if (v.text.empty())
            label->hide();
        else if (label->parentWidget())
            label->show();
        label->setEnabled(v.enabled);
    });
    return label;
}

QWidget* ControlRenderer::field(view::Field& f) {
    auto* widget = new QWidget;
    named(widget, f);
    QBoxLayout* layout = f.below ? static_cast<QBoxLayout*>(new QVBoxLayout(widget))
                                 : static_cast<QBoxLayout*>(new QHBoxLayout(widget));
    no_margins(layout);
    QLabel* caption = caption_label(f.caption);
    if (f.value.lines > 1)
        caption->setAlignment((caption->alignment() & ~Qt::AlignVertical_Mask) | Qt::AlignTop);
    layout->addWidget(caption);
    layout->addWidget(value(f.value), 1);
    if (!f.below) field_captions_[&f] = caption;
    on_sync([widget, &f] { widget->setEnabled(f.enabled); });
    return widget;
}

QWidget* ControlRenderer::text_box(view::TextBox& t) {
    auto* view = new TextLinesView;
    named(view, t);
    view->setMinimumSize(360, 200);
    on_sync([view, &t, shown = std::string()]() mutable {
        sync_lines(view, t.text, shown);
        view->setEnabled(t.enabled);
    });
    return view;
}

// Every keystroke goes to the logic at once, so a filter narrows its list as one types. The
// text is set back only when the logic changed it, so the cursor stays where it is.
QWidget* ControlRenderer::text_input(view::TextInput& t) {
    auto* edit = new QLineEdit;
    named(edit, t);
    edit->setPlaceholderText(qt_text(t.placeholder));
    edit->setClearButtonEnabled(true);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [this, &t](const QString& text) {
        t.type(text.toStdString());
        after_event_();
    });
    on_sync([edit, &t] {
        const QString text = qt_text(t.text);
        if (edit->text() != text) edit->setText(text);
        edit->setEnabled(t.enabled);
    });
    return edit;
}

QWidget* ControlRenderer::drop_down(view::DropDown& d) {
    auto* combo = new QComboBox;
    named(combo, d);
    // Sized by a typical row, and its open list lays out rows of one height: a list of
    // 100,000 vertices opens as fast as one of ten.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(kDropDownChars);
    if (auto* rows = qobject_cast<QListView*>(combo->view())) rows->setUniformItemSizes(true);
    open_below(combo);
    auto* model = new DropDownModel(d, combo);
    combo->setModel(model);
    combo->setCurrentIndex(d.selected);
    QObject::connect(combo, &QComboBox::activated, combo, [this, &d](int row) {
        d.choose(row);
        after_event_();
    });
    on_sync([combo, model, &d] {
        model->sync();
        if (combo->currentIndex() != d.selected) combo->setCurrentIndex(d.selected);
        combo->setEnabled(d.enabled);
    });
    return combo;
}

QWidget* ControlRenderer::table(view::Table& t) {
    auto* view = new TableView(t, after_event_);
    on_sync([view] {
        if (view->sync() && view->isVisible()) view->size_columns();
    });
    return view;
}

QWidget* ControlRenderer::grid(view::Grid& g) {
    auto* widget = new QWidget;
    named(widget, g);
    auto* layout = no_margins(new QGridLayout(widget));
    for (const auto& span : g.spans) {
        QLabel* label = caption_label(*span.caption);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label, 0, static_cast<int>(span.first) + 1, 1,
                          static_cast<int>(span.count));
    }
    const int header_row = first_value_row(g) - 1;
    for (std::size_t c = 0; c < g.columns.size(); ++c) {
        QLabel* header = caption_label(*g.columns[c]);
        if (g.columns[c]->align == view::Align::Default) header->setAlignment(Qt::AlignCenter);
        layout->addWidget(header, header_row, static_cast<int>(c) + 1);
        layout->setColumnStretch(static_cast<int>(c) + 1, 1);  // room goes to the values
    }
    for (std::size_t r = 0; r < g.rows.size(); ++r) {
        const int row = header_row + 1 + static_cast<int>(r);
        layout->addWidget(caption_label(*g.rows[r]), row, 0);
        for (std::size_t c = 0; c < g.columns.size(); ++c) {
            layout->addWidget(value_label(g.cell(r, c)), row, static_cast<int>(c) + 1);
        }
    }
    on_sync([widget, &g] { widget->setEnabled(g.enabled); });
    return widget;
}

QWidget* ControlRenderer::box(view::Box& b) {
    if (b.level_with_grid_values && !b.children.empty() &&
        b.children.front()->kind() == view::Kind::Grid) {
        return grid_with_side(b);
    }
    auto* widget = new QWidget;
    named(widget, b);
    const bool vertical = b.direction == view::Box::Direction::Column;
    QBoxLayout* layout = vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(widget))
                                  : static_cast<QBoxLayout*>(new QHBoxLayout(widget));
    add_children(no_margins(layout), b.children, vertical);
    on_sync([widget, &b] { widget->setEnabled(b.enabled); });
    return widget;
}

// The controls after the grid stand in one column right of it, from its first row of values
// down, inside the grid's own layout so that they line up with that row exactly.
QWidget* ControlRenderer::grid_with_side(view::Box& b) {
    auto& g = as<view::Grid>(*b.children.front());
    QWidget* widget = grid(g);
    auto* side = new QWidget;
    const std::vector<view::Control*> beside(b.children.begin() + 1, b.children.end());
    add_children(no_margins(new QVBoxLayout(side)), beside, true);
    auto* layout = static_cast<QGridLayout*>(widget->layout());
    const int side_column = static_cast<int>(g.columns.size()) + 1;
    layout->addWidget(side, first_value_row(g), side_column, static_cast<int>(g.rows.size()), 1);
    layout->setColumnStretch(side_column, 1);
    on_sync([side, &b] { side->setEnabled(b.enabled); });
    return widget;
}

QWidget* ControlRenderer::group(view::Group& g) {
    auto* frame = new QGroupBox;
    named(frame, g);
    add_children(new QVBoxLayout(frame), g.children, true);
    on_sync([frame, &g] {
        const QString title = group_title(g);
        if (frame->title() != title) frame->setTitle(title);
        frame->setEnabled(g.enabled);
    });
    return frame;
}

// One under the other: free room goes to a list or text box, else below the last child.
// Side by side: groups and lists take the row's full height, the rest keeps to the top (or
// stands level with a text input beside it).
void ControlRenderer::add_children(QBoxLayout* layout, const std::vector<view::Control*>& children,
                                   bool vertical) {
    // Beside a line of text input its caption stands level with the text.
    const bool beside_input =
        std::any_of(children.begin(), children.end(),
                    [](const view::Control* c) { return c->kind() == view::Kind::TextInput; });
    bool any_expands = false;
    for (view::Control* child : children) {
        QWidget* widget = render(*child);
        if (vertical && child->gap_above) layout->addSpacing(widget->fontMetrics().height());
        const bool grows = expands(*child);
        any_expands = any_expands || grows;
        if (!vertical && child->kind() == view::Kind::TextInput) {
            layout->addWidget(widget, 1);  // a filter takes the width its row leaves
        } else if (vertical || grows || child->kind() == view::Kind::Group) {
            layout->addWidget(widget, grows ? 1 : 0);
        } else {
            layout->addWidget(widget, 0, beside_input ? Qt::AlignVCenter : Qt::AlignTop);
        }
    }
    if (vertical) {
        align_field_captions(children);
        if (!any_expands) layout->addStretch(1);
    }
}

// Captions of fields one under the other share one width, so their values line up.
void ControlRenderer::align_field_captions(const std::vector<view::Control*>& children) {
    std::vector<QLabel*> captions;
    for (const view::Control* child : children) {
        if (child->kind() != view::Kind::Field) continue;
        const auto found = field_captions_.find(static_cast<const view::Field*>(child));
        if (found != field_captions_.end()) captions.push_back(found->second);
    }
    int widest = 0;
    for (QLabel* c : captions) {
        widest = std::max(widest, c->fontMetrics().horizontalAdvance(c->text()));
    }
    for (QLabel* c : captions) c->setMinimumWidth(widest);
}

}  // namespace ui
