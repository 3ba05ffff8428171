#pragma once
// Builds Qt widgets for a tree of controls and brings them in line with the controls after
// every event. It knows the control kinds only, never which window it renders.

#include <QWidget>
#include <functional>
#include <unordered_map>
#include <vector>

#include "view/controls.h"

class QBoxLayout;
class QLabel;

namespace ui {

class TableView;

// A selectable label for a value: users copy numbers from it.
QLabel* make_value_label(QWidget* parent = nullptr);
// Plain, selectable and framed as a value is.
void style_as_value(QLabel* label);

class ControlRenderer {
  public:
    // after_event runs after each user choice (drop-down row, list click) was handled.
    explicit ControlRenderer(std::function<void()> after_event);

    // The widget for a control and everything inside it.
    QWidget* render(view::Control& control);
    // Every widget from its control: texts, rows, selections, enabled states.
    void sync();

  private:
    using Sync = std::function<void()>;

    QWidget* caption(view::Caption& c);
    QWidget* value(view::Value& v);
    QWidget* multiline_value(view::Value& v);
    QWidget* link_value(view::Value& v);
    QWidget* field(view::Field& f);
    QWidget* text_box(view::TextBox& t);
    QWidget* text_input(view::TextInput& t);
    QWidget* drop_down(view::DropDown& d);
    QWidget* table(view::Table& t);
    QWidget* grid(view::Grid& g);
    QWidget* box(view::Box& b);
    QWidget* grid_with_side(view::Box& b);
    QWidget* group(view::Group& g);

    QLabel* caption_label(view::Caption& c);
    QLabel* value_label(view::Value& v);
    void add_children(QBoxLayout* layout, const std::vector<view::Control*>& children,
                      bool vertical);
    void align_field_captions(const std::vector<view::Control*>& children);
    void named(QWidget* widget, const view::Control& control);
    // Runs the sync once now, so widgets start with their texts, and after every event.
    void on_sync(Sync sync) {
        sync();
        syncs_.push_back(std::move(sync));
    }

    std::function<void()> after_event_;
    std::vector<Sync> syncs_;
    std::unordered_map<const view::Field*, QLabel*> field_captions_;
};

// Whether a control holds a list view or a text box, which take up any free room.
bool expands(const view::Control& control);

}  // namespace ui
