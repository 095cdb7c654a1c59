#include "core/error_box.h"

#include <string>

namespace brackwell {

void ShowErrorBox(UserInterface& ui, const AutomationError& error, std::int32_t line) {
    const std::string text = "Number: " + std::to_string(error.Number()) + "\r\n" +
                             "Description: " + error.Description() + "\r\n" +
                             "Zeile: " + std::to_string(line);
    ui.MsgBox(text, msgbox::kOkOnly, "Fehler");
}

}  // namespace brackwell
