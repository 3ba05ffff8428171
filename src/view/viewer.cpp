#include "view/viewer.h"

namespace view {

Control* Viewer::row(std::initializer_list<Control*> children) {
    boxes_.push_back(std::make_unique<Box>(Box::Direction::Row, children));
    return boxes_.back().get();
}

Control* Viewer::column(std::initializer_list<Control*> children) {
    boxes_.push_back(std::make_unique<Box>(Box::Direction::Column, children));
    return boxes_.back().get();
}

Control* Viewer::beside_values(Grid& grid, std::initializer_list<Control*> children) {
    std::vector<Control*> all{&grid};
    all.insert(all.end(), children);
    boxes_.push_back(std::make_unique<Box>(Box::Direction::Row, std::move(all)));
    boxes_.back()->level_with_grid_values = true;
    return boxes_.back().get();
}

Group* Viewer::group(Group& g, std::initializer_list<Control*> children) {
    g.children = children;
    return &g;
}

std::vector<Control*> lists_of(Control& root) {
    std::vector<Control*> out;
    for_each_control(root, [&](Control& c) {
        if (c.kind() == Kind::DropDown || c.kind() == Kind::Table) out.push_back(&c);
    });
    return out;
}

std::vector<TextInput*> inputs_of(Control& root) {
    std::vector<TextInput*> out;
    for_each_control(root, [&](Control& c) {
        if (c.kind() == Kind::TextInput) out.push_back(static_cast<TextInput*>(&c));
    });
    return out;
}

std::vector<Control*> controls_of(Control& root) {
    std::vector<Control*> out;
    for_each_control(root, [&](Control& c) { out.push_back(&c); });
    return out;
}

std::vector<const Control*> controls_of(const Control& root) {
    std::vector<const Control*> out;
    for_each_control(root, [&](const Control& c) { out.push_back(&c); });
    return out;
}

}  // namespace view
