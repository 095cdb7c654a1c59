#pragma once
// The ribbon of an Excel 2010 or 2016 window, drawn simply: the tabs in a row
// ("Datei", "Start", "Einfügen", ..., an add-in's own tabs after "Ansicht",
// and "Add-Ins" once a command bar made by code exists, where Excel 2007 and
// later show such bars), the chosen one marked, and under it its groups.
// "Start" shows the captions of two of Excel's own groups, then every
// add-in's groups of the Home tab (idMso "TabHome"). Each button and toggle
// button is a button window titled with its label, with a placeholder
// picture for its imageMso (its first letters on a coloured square; a large
// control has it above the label, a normal one beside it) and its screentip
// and supertip as tooltip; a toggle is drawn pressed as this window's ribbon
// holds it. A click calls the add-in's onAction with this window as Context.
// "Add-Ins" holds the command bars' buttons, which run their macros.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "adapters/windows/ui/win_handles.h"
#include "apps/demo/command_bar_buttons.h"
#include "excel_standin/office/addin_ribbon.h"

namespace brackwell::demo {

class RibbonStrip {
public:
    struct Source {
        std::function<std::vector<std::shared_ptr<office::AddInRibbon>>()> ribbons;
        std::function<std::vector<ShownBar>()> bars;
        std::function<void(const BarButton&)> pressBar;
    };

    // A child of `excelWindow`, at its top; the window places it.
    RibbonStrip(HINSTANCE instance, HWND excelWindow, Source source);
    ~RibbonStrip();  // destroys the window unless its parent did
    RibbonStrip(const RibbonStrip&) = delete;
    RibbonStrip& operator=(const RibbonStrip&) = delete;

    HWND Window() const noexcept { return window_; }
    int Height() const;
    // Reads the ribbons and bars again: the controls are made anew when they
    // changed, otherwise only the toggles' states are read.
    void Refresh();
    void SelectTab(const std::wstring& label);
    // The button window of an add-in's control (by its id or label) on the
    // chosen tab; null when it is not shown. Whether a toggle is drawn pressed.
    HWND ControlWindow(const std::wstring& idOrLabel) const;
    bool Pressed(const std::wstring& idOrLabel) const;

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void WindowDestroyed() noexcept;

private:
    struct Tab {
        std::wstring label;
        const office::RibbonTabSpec* custom = nullptr;  // an add-in's own tab
        std::shared_ptr<office::AddInRibbon> ribbon;
        RECT place{};
    };
    struct Item {
        std::shared_ptr<office::AddInRibbon> ribbon;
        const office::RibbonControlSpec* control = nullptr;
        BarButton bar;  // for a command bar's button
        bool pressed = false;
        HWND button = nullptr;
        std::wstring tip;
    };
    struct Group {
        std::wstring label;
        RECT place{};
        bool builtIn = false;
    };

    const Item* FindItem(const std::wstring& idOrLabel) const;
    void Rebuild();
    void LayoutGroup(const std::wstring& label, const std::vector<Item>& items, int& x);
    void AddButton(Item item, const RECT& place);
    void DrawStrip(HDC dc);
    void DrawItem(const DRAWITEMSTRUCT& item);
    void Click(HWND button);
    int Px(int pixels) const;

    HINSTANCE instance_;
    HWND excelWindow_;
    Source source_;
    HWND window_ = nullptr;
    win::WindowHandleOwner tooltip_;  // an owned pop-up of the strip
    win::FontHandle font_;
    int dpi_ = 96;
    std::wstring selected_ = L"Start";
    std::vector<Tab> tabs_;
    std::vector<Group> groups_;
    std::vector<Item> items_;
    std::vector<std::shared_ptr<office::AddInRibbon>> ribbons_;  // as last read
    std::vector<ShownBar> bars_;
};

}  // namespace brackwell::demo
