#pragma once
// The Model View's logic, counting the textures whose load has ended, shown or not, and the
// items named under the pointer: the window benchmarks wait on them.

#include <string>

#include "scene/frmModelView.h"

namespace bench_models {

class CountingView : public scene::frmModelView {
  public:
    using frmModelView::frmModelView;
    void texture_loaded(int number, const std::string& status) override {
        ++answered;
        frmModelView::texture_loaded(number, status);
    }
    void item_hovered(int id) override {
        ++hovers;
        frmModelView::item_hovered(id);
    }
    int answered = 0;
    int hovers = 0;
};

}  // namespace bench_models
