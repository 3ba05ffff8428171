#pragma once
// A record or block viewer: a window's controls, its layout and its event handlers, with no
// knowledge of any toolkit.

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "view/controls.h"

namespace view {

class Viewer {
  public:
    Viewer(std::string name, std::string title) : title(std::move(title)), name_(std::move(name)) {}
    virtual ~Viewer() = default;
    Viewer(const Viewer&) = delete;
    Viewer& operator=(const Viewer&) = delete;

    // The window opens: fill every control from the store.
    virtual void opened() = 0;
    // The window became the active window.
    virtual void activated() {}
    // The main window showed it from its Window menu or record list: created or brought
    // forward, then set to normal state.
    virtual void shown() {}

    const std::string& name() const { return name_; }
    const Control& layout() const { return *layout_; }
    Control& layout() { return *layout_; }

    std::string title;

  protected:
    Control* row(std::initializer_list<Control*> children);
    Control* column(std::initializer_list<Control*> children);
    // A row of the grid and the controls beside it, level with its values ("Radius" on the
    // "X" row of "Offset from Parent").
    Control* beside_values(Grid& grid, std::initializer_list<Control*> children);
    Group* group(Group& g, std::initializer_list<Control*> children);
    void set_layout(Control* root) { layout_ = root; }

  private:
    std::string name_;
    Control* layout_ = nullptr;
    std::vector<std::unique_ptr<Box>> boxes_;
};

// Every drop-down list and list view of a layout, in layout order (depth first).
std::vector<Control*> lists_of(Control& root);
// Every text input of a layout, in layout order.
std::vector<TextInput*> inputs_of(Control& root);
// Every control of a layout, depth first, the root first.
std::vector<const Control*> controls_of(const Control& root);
std::vector<Control*> controls_of(Control& root);

// Hands every control of a layout to visit, in the order controls_of lists them.
template <class C, class Visit>
void for_each_control(C& root, Visit visit) {
    visit(root);
    const Kind kind = root.kind();
    if (kind == Kind::Box) {
        for (Control* child : static_cast<const Box&>(root).children) {
            for_each_control(*child, visit);
        }
    } else if (kind == Kind::Group) {
        for (Control* child : static_cast<const Group&>(root).children) {
            for_each_control(*child, visit);
        }
    }
}

}  // namespace view
