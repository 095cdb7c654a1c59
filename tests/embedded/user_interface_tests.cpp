// A plugged-in HostUserInterface answers the host's questions in place of the
// scripted queues; the host acts on its answers and still records each question.

#include <gtest/gtest.h>

#include <memory>

#include "excel_standin/embedded/host_user_interface.h"
#include "tests/embedded/host_test_support.h"

namespace brackwell::embedded::testing {
namespace {

// Answers as set up and writes down what it was asked.
class AnsweringPerson final : public HostUserInterface {
public:
    FileChoice openAnswer = false;
    std::optional<std::string> saveAsAnswer;
    CloseAnswer closeAnswer = CloseAnswer::No;
    bool deleteAnswer = false;
    std::optional<std::string> passwordAnswer;
    Names heard;

    FileChoice AskOpenFile() override { return Heard("OpenFile", openAnswer); }
    std::optional<std::string> AskSaveAs(const std::string& wb) override { return Heard("SaveAs " + wb, saveAsAnswer); }
    CloseAnswer AskSaveChanges(const std::string& wb) override { return Heard("SaveChanges " + wb, closeAnswer); }
    bool AskDeleteSheet(const std::string&, const std::string& sh) override { return Heard("Delete " + sh, deleteAnswer); }
    std::optional<std::string> AskPassword(const std::string&, const std::string& sh) override {
        return Heard("Password " + sh, passwordAnswer);
    }

private:
    template <typename T>
    T Heard(const std::string& question, const T& answer) {
        heard.push_back(question);
        return answer;
    }
};

TEST_F(HostTest, EveryQuestionGoesToThePersonAndTheHostFollowsTheAnswers) {
    auto person = std::make_shared<AnsweringPerson>();
    host.User().answerer = person;
    host.User().openFileAnswers.push(std::string("C:\\queued.xlsx"));
    auto wb = host.CreateWorkbook("Umsatz.xlsx", {"Tabelle1", "Tabelle2"}, "C:\\Daten");
    host.SetSaved(wb, false);
    auto sheet = wb->Worksheets()->Item(2);
    host.SetSheetProtection(sheet, true, "Geheim");

    person->openAnswer = std::vector<std::string>{"C:\\a.xlsx", "C:\\b.xlsx"};
    EXPECT_EQ(app->GetOpenFilename(false), FileChoice{std::string("C:\\a.xlsx")});
    person->closeAnswer = CloseAnswer::Cancel;
    EXPECT_EQ(ErrorOf([&] { wb->Close(std::nullopt); }), err::kHost);  // cancelled: still open
    sheet->Delete();                                                    // declined
    EXPECT_EQ(ErrorOf([&] { sheet->Unprotect(std::nullopt); }), err::kHost);  // the person cancels
    person->passwordAnswer = "Geheim";
    sheet->Unprotect(std::nullopt);
    person->deleteAnswer = true;
    sheet->Delete();
    EXPECT_EQ(SheetNames(wb), (Names{"Tabelle1"}));
    person->saveAsAnswer = "D:\\Ablage\\Bericht";
    EXPECT_TRUE(app->Dialogs()->Item(xl::kDialogSaveAs)->Show());
    EXPECT_EQ(wb->FullName(), "D:\\Ablage\\Bericht.xlsx");

    EXPECT_EQ(person->heard, (Names{"OpenFile", "SaveChanges Umsatz.xlsx", "Delete Tabelle2", "Password Tabelle2",
                                    "Password Tabelle2", "Delete Tabelle2", "SaveAs Umsatz.xlsx"}));
    EXPECT_EQ(host.User().asked.size(), person->heard.size());
    EXPECT_EQ(host.User().openFileAnswers.size(), 1u) << "the queues stay untouched";
}

}  // namespace
}  // namespace brackwell::embedded::testing
