// The desktop shortcut: a .lnk file on the user's desktop that opens a saved
// workbook, made through the Windows Script Host shell object.

#include <memory>
#include <string>

#include "core/failure.h"
#include "core/wayfinder.h"

namespace brackwell {

void Wayfinder::CreateLink(const WorkbookPtr& Wb) {
    UserInterface& ui = component_.platform.Ui();
    std::shared_ptr<ShellObject> shell;
    try {
        if (Require(Wb).Path().empty()) {
            ui.MsgBox("Diese Arbeitsmappe ist noch nicht gespeichert!\r\n"
                      "Speichern sie diese Arbeitsmappe und wiederholen sie den Vorgang.",
                      msgbox::kInformation, "Abbruch");
            return;
        }
        shell = component_.platform.CreateShell();
        const std::string folder = Require(shell).SpecialFolder("Desktop");
        const std::string name = Wb->Name();
        {
            const std::shared_ptr<Shortcut> shortcut = shell->CreateShortcut(folder + "\\" + name + ".lnk");
            Require(shortcut).SetTargetPath(Wb->FullName());
            shortcut->Save();
        }
        ui.MsgBox("Desktopverknüpfung wurde erstellt!", msgbox::kInformation, "Fertig");
    } catch (...) {
        IgnoreFailure([&] {
            ui.MsgBox("Desktopverknüpfung konnte nicht erstellt werden!", msgbox::kExclamation, "Fertig");
        });
    }
}

}  // namespace brackwell
