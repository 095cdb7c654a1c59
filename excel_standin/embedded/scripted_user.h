#pragma once
// The user in front of the embedded host: the answers to the host's own
// questions and dialogs, queued by a test or the demo, and a record of what
// the host asked. An empty queue gives the stated default answer; a plugged-in
// HostUserInterface answers instead of the queues.

#include <cstddef>
#include <memory>
#include <optional>
#include <queue>
#include <string>
#include <string_view>
#include <vector>

#include "excel_standin/embedded/host_user_interface.h"
#include "host/excel.h"

namespace brackwell::embedded {

enum class QuestionKind {
    OpenFile,     // GetOpenFilename
    SaveAs,       // the save-as dialog: dialogs 145 and 5, first save on closing
    SaveChanges,  // "Möchten Sie die Änderungen in 'Mappe1' speichern?"
    DeleteSheet,  // confirmation of Sheet.Delete
    Password,     // Unprotect without password on a password-protected sheet
};
std::string_view QuestionName(QuestionKind kind);

struct Question {
    QuestionKind kind = QuestionKind::OpenFile;
    std::string workbook;  // empty for GetOpenFilename
    std::string sheet;     // for DeleteSheet and Password
};

struct ScriptedUser {
    std::queue<FileChoice> openFileAnswers;                 // default: False (cancelled)
    std::queue<std::optional<std::string>> saveAsAnswers;   // full path, or cancel; default cancel
    std::queue<CloseAnswer> closeAnswers;                   // default No
    std::queue<bool> deleteAnswers;                         // default true
    std::queue<std::optional<std::string>> passwordAnswers; // typed password, or cancel; default cancel

    // Answers every question when set; the queues are left alone meanwhile.
    std::shared_ptr<HostUserInterface> answerer;

    std::vector<Question> asked;

    // The host's side: record the question, then take the next answer.
    FileChoice AskOpenFile();
    std::optional<std::string> AskSaveAs(const std::string& workbook);
    CloseAnswer AskSaveChanges(const std::string& workbook);
    bool AskDeleteSheet(const std::string& workbook, const std::string& sheet);
    std::optional<std::string> AskPassword(const std::string& workbook, const std::string& sheet);

    std::size_t CountAsked(QuestionKind kind) const;
};

}  // namespace brackwell::embedded
