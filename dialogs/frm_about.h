#pragma once
// frmAbout: title, version, description and homepage of the add-in, with
// "Systeminfo..." (the system information program found through the
// registry) and "Homepage". Also the routines it uses: StartSysInfo,
// GetKeyValue and OpenUrl (which the pane's homepage command shares).

#include <cstdint>
#include <string>

#include "dialogs/modal_form.h"
#include "host/system.h"

namespace brackwell {

inline constexpr const char* kAddinTitle = "Brackwell";
// Short enough to show whole in the about box's address label.
inline constexpr const char* kHomepage = "brackwell.example";
inline constexpr const char* kContact = "info@brackwell.example";

class FrmAbout final : public ModalForm {
public:
    explicit FrmAbout(Component& component);

    void lblURL_Click();

private:
    const FormDesign& Design() const override;
    void Form_Load() override;
    void OnControlClick(const std::string& name, std::int32_t index) override;
    void clbMain_ButtonClick(const std::string& key) override;
};

const FormDesign& AboutFormDesign();

// Loads the about box and shows it modally without owner.
void ShowAbout(Component& component);

// Starts the system information program named in the registry, or says that
// it is not available.
void StartSysInfo(Component& component);

// Reads one registry value as text into KeyVal: True when read. A value of
// more than 1024 bytes counts as not found; a value of another type than
// text or number leaves KeyVal as it was.
bool GetKeyValue(Registry& registry, std::uintptr_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);

// Opens the address in the default browser ("http://" put in front unless
// it starts so), with the hourglass meanwhile.
void OpenUrl(SystemServices& system, WindowHandle hwnd, const std::string& address);

}  // namespace brackwell
