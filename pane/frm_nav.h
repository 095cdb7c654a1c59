#pragma once
// frmNav: the pane form, toolbar clbMain above tree mTree. Its window and
// controls come from the platform; its load, unload and resize handling is
// here.

#include <memory>

#include "core/component.h"
#include "host/forms.h"

namespace brackwell {

class FrmNav final : public FormEvents {
public:
    explicit FrmNav(Component& component);
    ~FrmNav();
    FrmNav(const FrmNav&) = delete;
    FrmNav& operator=(const FrmNav&) = delete;

    // Creates the (hidden) window and runs Form_Load; nothing when loaded.
    void Load();
    // Runs Form_Unload and destroys the window; nothing when not loaded.
    void Unload();
    bool Loaded() const { return component_.NavForm == this; }

    NavFormWindow& Window();  // fails with error 91 when not loaded
    std::shared_ptr<TreeView> mTree() { return Window().Tree(); }
    std::shared_ptr<Toolbar> clbMain() { return Window().Bar(); }

    void Form_Load();
    void Form_Unload() override;
    void Form_Resize() override;

private:
    Component& component_;
    std::unique_ptr<NavFormWindow> window_;
};

}  // namespace brackwell
