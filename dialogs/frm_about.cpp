#include "dialogs/frm_about.h"

#include "core/failure.h"

namespace brackwell {
namespace {

constexpr const char* kDescription =
    "Dieses Addin soll die Navigation und Übersichtlichkeit\r\n"
    "in umfangreichen bzw. mehreren geöffneten Arbeitsmappen erleichtern.\r\n\r\n";

std::string VersionText(const ComponentVersion& v) {
    return "Version: " + std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.revision);
}

}  // namespace

FrmAbout::FrmAbout(Component& component) : ModalForm(component) {}

const FormDesign& FrmAbout::Design() const { return AboutFormDesign(); }

void FrmAbout::Form_Load() {
    IgnoreFailure([&] { clbMain()->SetVisualStyle(component_.settings.Theme ? 3 : 2); });
    SetCaption(std::string("Info zu ") + kAddinTitle);
    IgnoreFailure([&] { Control("lblVersion").SetCaption(VersionText(component_.platform.System().Version())); });
    Control("lblTitle").SetCaption(kAddinTitle);
    Control("lblDescription").SetCaption(std::string(kDescription) + kContact + " | " + kHomepage);
}

void FrmAbout::lblURL_Click() { OpenUrl(component_.platform.System(), hwnd(), Control("lblURL").Caption()); }

void FrmAbout::OnControlClick(const std::string& name, std::int32_t /*index*/) {
    if (name == "lblURL") lblURL_Click();
}

void FrmAbout::clbMain_ButtonClick(const std::string& key) {
    if (key == "mnuOk") {
        Unload();
    } else if (key == "mnuSys") {
        StartSysInfo(component_);
    } else if (key == "mnuUrl") {
        lblURL_Click();
    }
}

void ShowAbout(Component& component) {
    IgnoreFailure([&] {
        FrmAbout about(component);
        about.Load();
        about.ShowModal(0);
    });
}

}  // namespace brackwell
