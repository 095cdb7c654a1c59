#pragma once
// The pane in a real host window, the way Excel drives it: a main window
// with a left dock window of class "EXCEL2", the embedded host behind its
// automation facade, the host adapter over IDispatch, the Windows platform,
// and a navigator bound to all of it. Shared by the pane tests and the
// rebuild benchmark.

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "excel_standin/embedded/embedded_excel.h"
#include "adapters/headless/memory_settings_store.h"
#include "adapters/shared/tree_model.h"
#include "adapters/windows/common/com_ptr.h"
#include "excel_standin/facade/pending_event_pump.h"
#include "adapters/windows/platform/win_platform.h"
#include "adapters/windows/ui/win_handles.h"
#include "core/component.h"
#include "core/wayfinder.h"
#include "tests/windows_ui/forwarding_platform.h"

namespace brackwell::win::test {

// The Windows platform with two differences: message boxes are recorded, not
// shown, so a test neither blocks on one nor misses one; beeps are counted.
class ScenePlatform final : public ForwardingPlatform, private UserInterface {
public:
    ScenePlatform(HINSTANCE instance, SettingsStore& settings) : ForwardingPlatform(instance, settings) {}

    struct Box {
        std::string prompt;
        std::int32_t style;
        std::string title;
    };
    const std::vector<Box>& MessageBoxes() const { return boxes_; }
    int Beeps() const { return beeps_; }

    UserInterface& Ui() override { return *this; }

private:
    std::int32_t MsgBox(const std::string& prompt, std::int32_t style, const std::string& title) override {
        boxes_.push_back({prompt, style, title});
        return msgbox::kOk;
    }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override { return {}; }
    bool ChooseColorDialog(ColorChoice& choice) override { return real_.Ui().ChooseColorDialog(choice); }
    void Beep() override { ++beeps_; }
    void DoEvents() override { real_.Ui().DoEvents(); }
    void PostTask(std::function<void()> task) override { real_.Ui().PostTask(std::move(task)); }
    void CancelModalUi() override { real_.Ui().CancelModalUi(); }

    std::vector<Box> boxes_;
    int beeps_ = 0;
};

struct SceneOptions {
    int dockHeight = 700;  // 0: the host window has no dock
    std::string version = "11.0";
    std::vector<std::pair<std::string, std::string>> settings{};  // stored before the navigator starts
};

class PaneScene {
public:
    // A host window with its dock, and a navigator attached to the host
    // through its facade (not yet showing its pane).
    explicit PaneScene(SceneOptions options = {});
    ~PaneScene();
    PaneScene(const PaneScene&) = delete;
    PaneScene& operator=(const PaneScene&) = delete;

    HWND MainWindow() const { return main_.Get(); }
    HWND DockWindow() const { return dock_.Get(); }
    HWND PaneWindow() const { return reinterpret_cast<HWND>(component.PaneHwnd); }
    HWND TreeWindow() const;  // the SysTreeView32 inside the pane, or null
    void ResizeDock(int height);

    // Lets queued host events and window messages run.
    void Pump();

    // Writes the host window (with the docked pane) to a 24-bit BMP file.
    bool Screenshot(const std::wstring& path) const;

    embedded::EmbeddedExcel excel;
    headless::MemorySettingsStore settings;
    std::unique_ptr<ScenePlatform> platform;
    std::unique_ptr<Component> component_;
    Component& component;
    std::unique_ptr<Wayfinder> nav;

private:
    WindowHandleOwner main_;
    WindowHandleOwner dock_;
    std::unique_ptr<PendingEventPump> pump_;
    ComPtr<IDispatch> facade_;
};

// The items of a real tree view control as the user sees them.
struct ItemView {
    std::wstring text;
    std::string key;  // the node the item shows, from the item's data
    int depth = 0;
    int image = 0;
    bool bold = false;
    bool selected = false;
    bool expanded = false;
    COLORREF drawnColor = 0;  // what custom draw hands out for the item's text
};
std::vector<ItemView> ReadTree(HWND tree, COLORREF defaultText);
// Every item, depth first, in the order the control shows them (collapsed ones too).
std::vector<HTREEITEM> AllItems(HWND tree);

}  // namespace brackwell::win::test
