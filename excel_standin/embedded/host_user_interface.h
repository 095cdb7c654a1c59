#pragma once
// A person in front of the embedded host who answers its questions with real
// dialogs (the demo program). Plugged into the ScriptedUser, it answers
// instead of the queues; the questions are recorded all the same.

#include <optional>
#include <string>

#include "host/excel.h"

namespace brackwell::embedded {

enum class CloseAnswer { Yes, No, Cancel };

class HostUserInterface {
public:
    virtual ~HostUserInterface() = default;

    // GetOpenFilename: False when cancelled, else the chosen full paths.
    virtual FileChoice AskOpenFile() = 0;
    // The save-as dialog for `workbook`: the chosen full path, or nothing when cancelled.
    virtual std::optional<std::string> AskSaveAs(const std::string& workbook) = 0;
    // "Möchten Sie die Änderungen in 'workbook' speichern?"
    virtual CloseAnswer AskSaveChanges(const std::string& workbook) = 0;
    // The confirmation before a sheet is deleted: true to delete.
    virtual bool AskDeleteSheet(const std::string& workbook, const std::string& sheet) = 0;
    // The password of a protected sheet: the typed text, or nothing when cancelled.
    virtual std::optional<std::string> AskPassword(const std::string& workbook, const std::string& sheet) = 0;
};

}  // namespace brackwell::embedded
