#include "adapters/headless/headless_window_system.h"

#include <algorithm>
#include <utility>

#include "adapters/headless/ascii_case.h"

namespace brackwell::headless {

HeadlessWindowSystem::HeadlessWindowSystem(std::int32_t screenWidth, std::int32_t screenHeight) {
    Window desktop;
    desktop.className = "#32769";
    desktop.width = screenWidth;
    desktop.height = screenHeight;
    desktop.visible = true;
    windows_.emplace(kDesktop, std::move(desktop));
}

WindowHandle HeadlessWindowSystem::FindChild(WindowHandle parent, const std::string& className,
                                             const std::optional<std::string>& title, WindowHandle after) {
    const Window* container = Find(Resolve(parent));
    if (!container) return 0;
    bool searching = after == 0;
    for (const WindowHandle child : container->children) {
        if (!searching) {
            searching = child == after;
            continue;
        }
        const Window& window = windows_.at(child);
        if (!EqualsIgnoringAsciiCase(window.className, className)) continue;
        if (title && !EqualsIgnoringAsciiCase(window.title, *title)) continue;
        return child;
    }
    return 0;
}

WindowRect HeadlessWindowSystem::GetWindowRect(WindowHandle window) { return ScreenRectOf(window); }

WindowHandle HeadlessWindowSystem::SetParent(WindowHandle child, WindowHandle parent) {
    const WindowHandle newParent = Resolve(parent);
    Window* window = Find(child);
    if (!window || child == kDesktop || !Find(newParent)) return 0;
    // A window cannot become its own descendant.
    if (IsSelfOrAncestor(child, newParent)) return 0;

    const WindowHandle oldParent = window->parent;
    Unlink(child);
    window->parent = newParent;
    auto& siblings = Find(newParent)->children;
    siblings.insert(siblings.begin(), child);
    return oldParent;
}

bool HeadlessWindowSystem::MoveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
                                      std::int32_t height, bool /*repaint*/) {
    Window* target = Find(window);
    if (!target || window == kDesktop) return false;
    width = std::max(0, width);
    height = std::max(0, height);
    const bool resized = target->width != width || target->height != height;
    target->x = x;
    target->y = y;
    target->width = width;
    target->height = height;
    if (resized) {
        // A copy: the callback may move or destroy the window itself.
        const std::function<void()> callback = target->sizeChanged;
        if (callback) callback();
    }
    return true;
}

bool HeadlessWindowSystem::LockWindowUpdate(WindowHandle window) {
    if (window != 0) {
        ++lockCalls_;
        if (locked_ != 0 || !Find(window) || window == kDesktop) return false;
        locked_ = window;
        return true;
    }
    ++unlockCalls_;
    const WindowHandle was = locked_;
    locked_ = 0;
    if (was == 0) return true;

    std::vector<WindowHandle> thawed;
    CollectSubtree(was, thawed);
    for (const WindowHandle handle : thawed) {
        const Window* frozen = Find(handle);
        if (!frozen) continue;  // an earlier callback destroyed it
        const std::function<void()> callback = frozen->unfrozen;
        if (callback) callback();
    }
    return true;
}

WindowHandle HeadlessWindowSystem::NewWindow(const std::string& className, const std::string& title,
                                             WindowHandle parent, std::int32_t x, std::int32_t y,
                                             std::int32_t width, std::int32_t height) {
    const WindowHandle parentHandle = Resolve(parent);
    Window* container = Find(parentHandle);
    if (!container) return 0;

    const WindowHandle handle = nextHandle_;
    nextHandle_ += 4;
    if (parentHandle == kDesktop) {
        container->children.insert(container->children.begin(), handle);
    } else {
        container->children.push_back(handle);
    }

    Window window;
    window.className = className;
    window.title = title;
    window.parent = parentHandle;
    window.x = x;
    window.y = y;
    window.width = std::max(0, width);
    window.height = std::max(0, height);
    windows_.emplace(handle, std::move(window));
    return handle;
}

bool HeadlessWindowSystem::DestroyWindow(WindowHandle window) {
    if (!Find(window) || window == kDesktop) return false;
    std::vector<WindowHandle> doomed;
    CollectSubtree(window, doomed);
    Unlink(window);
    for (const WindowHandle handle : doomed) {
        if (handle == locked_) locked_ = 0;  // nothing is left to paint
        windows_.erase(handle);
    }
    return true;
}

bool HeadlessWindowSystem::Exists(WindowHandle window) const { return window != kDesktop && Find(window); }

WindowHandle HeadlessWindowSystem::Parent(WindowHandle window) const {
    const Window* found = Find(window);
    if (!found || found->parent == kDesktop) return 0;
    return found->parent;
}

std::vector<WindowHandle> HeadlessWindowSystem::Children(WindowHandle parent) const {
    const Window* container = Find(Resolve(parent));
    return container ? container->children : std::vector<WindowHandle>{};
}

std::string HeadlessWindowSystem::ClassName(WindowHandle window) const {
    const Window* found = Find(window);
    return found ? found->className : std::string();
}

std::string HeadlessWindowSystem::Title(WindowHandle window) const {
    const Window* found = Find(window);
    return found ? found->title : std::string();
}

void HeadlessWindowSystem::SetTitle(WindowHandle window, const std::string& title) {
    if (Window* found = Find(window)) found->title = title;
}

WindowRect HeadlessWindowSystem::RectInParent(WindowHandle window) const {
    const Window* found = Find(window);
    if (!found) return {};
    return WindowRect{found->x, found->y, found->x + found->width, found->y + found->height};
}

WindowRect HeadlessWindowSystem::ClientRectOf(WindowHandle window) const {
    const Window* found = Find(window);
    if (!found) return {};
    return WindowRect{0, 0, found->width, found->height};
}

bool HeadlessWindowSystem::SetVisible(WindowHandle window, bool visible) {
    Window* found = Find(window);
    if (!found || window == kDesktop) return false;
    found->visible = visible;
    return true;
}

bool HeadlessWindowSystem::IsVisible(WindowHandle window) const {
    const Window* found = Find(window);
    return found && found->visible;
}

bool HeadlessWindowSystem::IsOnScreen(WindowHandle window) const {
    for (const Window* found = Find(window); found; found = Find(found->parent)) {
        if (!found->visible) return false;
        if (found->parent == 0) return true;
    }
    return false;
}

bool HeadlessWindowSystem::BringToFront(WindowHandle window) {
    Window* found = Find(window);
    if (!found || window == kDesktop) return false;
    auto& siblings = windows_.at(found->parent).children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), window));
    siblings.insert(siblings.begin(), window);
    return true;
}

bool HeadlessWindowSystem::SendToBack(WindowHandle window) {
    Window* found = Find(window);
    if (!found || window == kDesktop) return false;
    auto& siblings = windows_.at(found->parent).children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), window));
    siblings.push_back(window);
    return true;
}

bool HeadlessWindowSystem::IsPaintFrozen(WindowHandle window) const {
    return locked_ != 0 && IsSelfOrAncestor(locked_, window);
}

void HeadlessWindowSystem::SetSizeChangedCallback(WindowHandle window, std::function<void()> callback) {
    if (Window* found = Find(window)) found->sizeChanged = std::move(callback);
}

void HeadlessWindowSystem::SetUnfrozenCallback(WindowHandle window, std::function<void()> callback) {
    if (Window* found = Find(window)) found->unfrozen = std::move(callback);
}

HeadlessWindowSystem::Window* HeadlessWindowSystem::Find(WindowHandle window) {
    const auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : &found->second;
}

const HeadlessWindowSystem::Window* HeadlessWindowSystem::Find(WindowHandle window) const {
    const auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : &found->second;
}

bool HeadlessWindowSystem::IsSelfOrAncestor(WindowHandle candidate, WindowHandle window) const {
    for (const Window* found = Find(window); found; window = found->parent, found = Find(window)) {
        if (window == candidate) return true;
    }
    return false;
}

WindowRect HeadlessWindowSystem::ScreenRectOf(WindowHandle window) const {
    const Window* found = Find(window);
    if (!found) return {};
    std::int32_t left = found->x;
    std::int32_t top = found->y;
    for (const Window* up = Find(found->parent); up; up = Find(up->parent)) {
        left += up->x;
        top += up->y;
    }
    return WindowRect{left, top, left + found->width, top + found->height};
}

void HeadlessWindowSystem::CollectSubtree(WindowHandle window, std::vector<WindowHandle>& out) const {
    const Window* found = Find(window);
    if (!found) return;
    out.push_back(window);
    for (const WindowHandle child : found->children) CollectSubtree(child, out);
}

void HeadlessWindowSystem::Unlink(WindowHandle window) {
    const Window* found = Find(window);
    if (!found) return;
    if (Window* parent = Find(found->parent)) {
        auto& siblings = parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    }
}

}  // namespace brackwell::headless
