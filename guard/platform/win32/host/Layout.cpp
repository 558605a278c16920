#include "guard/platform/win32/host/Layout.h"

#include <algorithm>
#include <unordered_set>

namespace qv::win32 {

namespace {

// Containers nest a few levels at most; a longer chain can only be a cycle.
constexpr int kMaxNesting = 32;

void appendLayer(const ui::Form& form, const ui::Control* container, int depth,
                 std::vector<ui::Control*>& out, std::unordered_set<const ui::Control*>& seen) {
    if (depth > kMaxNesting) return;
    std::vector<ui::Control*> pictures, shapes, windowed;
    for (ui::Control* c : form.controls()) {
        if (c->container() != container || !hasWindow(c->kind()) || seen.count(c)) continue;
        if (c->kind() == ui::ControlKind::Shape)
            shapes.push_back(c);
        else if (isGraphical(c->kind()))
            pictures.push_back(c);
        else
            windowed.push_back(c);
    }
    for (auto* group : {&pictures, &shapes}) {
        for (ui::Control* c : *group) {
            seen.insert(c);
            out.push_back(c);
        }
    }
    for (ui::Control* c : windowed) {
        if (seen.count(c)) continue;
        seen.insert(c);
        out.push_back(c);
        if (c->kind() == ui::ControlKind::Frame) appendLayer(form, c, depth + 1, out, seen);
    }
}

}  // namespace

bool hasWindow(ui::ControlKind kind) {
    switch (kind) {
        case ui::ControlKind::Timer:
        case ui::ControlKind::WebBrowser:
        case ui::ControlKind::Menu:
        case ui::ControlKind::MenuItem:
            return false;
        default:
            return true;
    }
}

bool isGraphical(ui::ControlKind kind) {
    return kind == ui::ControlKind::Label || kind == ui::ControlKind::Image ||
           kind == ui::ControlKind::Shape;
}

ui::Rect absoluteBounds(const ui::Control& control) {
    ui::Rect r = control.bounds();
    int depth = 0;
    for (const ui::Control* c = control.container(); c != nullptr && depth < kMaxNesting;
         c = c->container(), ++depth) {
        r.left += c->bounds().left;
        r.top += c->bounds().top;
    }
    return r;
}

std::vector<ui::Control*> stackingOrder(const ui::Form& form) {
    std::vector<ui::Control*> out;
    std::unordered_set<const ui::Control*> seen;
    appendLayer(form, nullptr, 0, out, seen);
    for (ui::Control* c : form.controls()) {
        if (hasWindow(c->kind()) && !seen.count(c)) {
            seen.insert(c);
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace qv::win32
