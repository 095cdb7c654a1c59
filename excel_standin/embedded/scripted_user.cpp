#include "excel_standin/embedded/scripted_user.h"

#include <algorithm>

namespace brackwell::embedded {

namespace {

template <typename T>
T TakeOr(std::queue<T>& answers, T fallback) {
    if (answers.empty()) return fallback;
    T answer = std::move(answers.front());
    answers.pop();
    return answer;
}

}  // namespace

std::string_view QuestionName(QuestionKind kind) {
    switch (kind) {
    case QuestionKind::OpenFile: return "OpenFile";
    case QuestionKind::SaveAs: return "SaveAs";
    case QuestionKind::SaveChanges: return "SaveChanges";
    case QuestionKind::DeleteSheet: return "DeleteSheet";
    case QuestionKind::Password: return "Password";
    }
    return "";
}

FileChoice ScriptedUser::AskOpenFile() {
    asked.push_back({QuestionKind::OpenFile, {}, {}});
    if (answerer) return answerer->AskOpenFile();
    return TakeOr(openFileAnswers, FileChoice{false});
}

std::optional<std::string> ScriptedUser::AskSaveAs(const std::string& workbook) {
    asked.push_back({QuestionKind::SaveAs, workbook, {}});
    if (answerer) return answerer->AskSaveAs(workbook);
    return TakeOr(saveAsAnswers, std::optional<std::string>{});
}

CloseAnswer ScriptedUser::AskSaveChanges(const std::string& workbook) {
    asked.push_back({QuestionKind::SaveChanges, workbook, {}});
    if (answerer) return answerer->AskSaveChanges(workbook);
    return TakeOr(closeAnswers, CloseAnswer::No);
}

bool ScriptedUser::AskDeleteSheet(const std::string& workbook, const std::string& sheet) {
    asked.push_back({QuestionKind::DeleteSheet, workbook, sheet});
    if (answerer) return answerer->AskDeleteSheet(workbook, sheet);
    return TakeOr(deleteAnswers, true);
}

std::optional<std::string> ScriptedUser::AskPassword(const std::string& workbook,
                                                     const std::string& sheet) {
    asked.push_back({QuestionKind::Password, workbook, sheet});
    if (answerer) return answerer->AskPassword(workbook, sheet);
    return TakeOr(passwordAnswers, std::optional<std::string>{});
}

std::size_t ScriptedUser::CountAsked(QuestionKind kind) const {
    return static_cast<std::size_t>(
        std::count_if(asked.begin(), asked.end(), [kind](const Question& q) { return q.kind == kind; }));
}

}  // namespace brackwell::embedded
