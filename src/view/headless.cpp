#include "view/headless.h"

#include <algorithm>

namespace view {

OpenFileResult HeadlessDesktop::open_file(const OpenFileRequest& request) {
    dialog_requests.push_back(request);
    return next_dialog_result;
}

void HeadlessDesktop::set_busy(bool busy) {
    if (busy) {
        ++busy_depth;
        ++busy_shown;
    } else {
        --busy_depth;
    }
}

HeadlessWindows::Window* HeadlessWindows::window(std::string_view name) {
    for (auto& w : open) {
        if (w.viewer->name() == name) return &w;
    }
    return nullptr;
}

Viewer* HeadlessWindows::find(std::string_view name) {
    Window* w = window(name);
    return w ? w->viewer.get() : nullptr;
}

Viewer& HeadlessWindows::create(std::unique_ptr<Viewer> viewer) {
    if (keep_log) log.push_back("create " + viewer->name());
    came_forward(viewer->name());
    std::string place;
    const auto kept = std::find_if(places_.begin(), places_.end(),
                                   [&](const auto& p) { return p.first == viewer->name(); });
    if (kept != places_.end()) {
        place = std::move(kept->second);
        places_.erase(kept);
    }
    open.push_back({std::move(viewer), false, 0, std::move(place)});
    return *open.back().viewer;
}

void HeadlessWindows::bring_forward(std::string_view name) {
    if (keep_log) log.push_back("forward " + std::string(name));
    came_forward(name);
    auto it = std::find_if(open.begin(), open.end(),
                           [&](const Window& w) { return w.viewer->name() == name; });
    if (it != open.end()) std::rotate(it, it + 1, open.end());
}

void HeadlessWindows::set_normal_state(std::string_view name) {
    if (keep_log) log.push_back("normal " + std::string(name));
    if (Window* w = window(name)) w->minimised = false;
}

void HeadlessWindows::sync(std::string_view name) {
    if (Window* w = window(name)) ++w->syncs;
}

void HeadlessWindows::close(std::string_view name) {
    if (keep_log) log.push_back("close " + std::string(name));
    const auto it = std::find_if(open.begin(), open.end(),
                                 [&](const Window& w) { return w.viewer->name() == name; });
    if (it == open.end()) return;
    // Out of the list before it goes: a viewer's destructor may look the open windows up.
    const Window gone = std::move(*it);
    open.erase(it);
}

Windows::Kept HeadlessWindows::kept(std::string_view name) {
    const Window* w = window(name);
    return w ? std::make_shared<const std::string>(w->place) : nullptr;
}

void HeadlessWindows::reopen_as(std::string_view name, const Kept& kept) {
    std::erase_if(places_, [&](const auto& p) { return p.first == name; });
    if (kept) places_.emplace_back(name, *static_cast<const std::string*>(kept.get()));
}

}  // namespace view
