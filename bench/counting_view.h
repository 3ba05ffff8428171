#pragma once
// The Model View's logic, counting the textures whose load has ended, shown or not: the
// window benchmarks wait on it.

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
    int answered = 0;
};

}  // namespace bench_models
