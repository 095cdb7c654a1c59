#pragma once
// Every way into the component, each on the fixed scene: the host's events,
// the navigator's public members, every press and menu item of the tree,
// every toolbar key, the drag-and-drop paths and the four dialogs behind the
// commands that open them.

#include <functional>
#include <string>
#include <vector>

#include "tests/reliability/sweep_scene.h"

namespace brackwell::reliability {

// How the routine reports a failure of one of its own host calls (a failure
// inside a tree rebuild is always the rebuild's standard error box).
enum class FailureStyle {
    Skip,       // the step is skipped, nothing is shown
    NavBarBox,  // one box titled "CreateNavBar <line>"
    // The add-in's start: the box above, or nothing where the step is
    // skipped (another window's task pane, made when that window is
    // activated) or the start is refused (Excel hears the failure).
    NavBarBoxOrSkip,
    LinkBox,    // the desktop shortcut's failure box instead of any other
    Beep,       // the system beep, nothing shown
};

struct EntryPoint {
    std::string name;
    FailureStyle style = FailureStyle::Skip;
    SceneSetup setup;
    std::function<void(Scene&)> prepare;  // scripts and selection, before calls are counted
    std::function<void(Scene&)> act;
};

std::vector<EntryPoint> AllEntryPoints();

}  // namespace brackwell::reliability
