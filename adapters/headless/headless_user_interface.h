#pragma once
// Message boxes, input boxes, the colour chooser, the beep and DoEvents
// without a screen: boxes are recorded as the user would have read them, the
// user's answers to input boxes and colour choosers are scripted beforehand,
// and DoEvents runs a hook that a test points at whatever should happen while
// the component lets events in.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/platform.h"

namespace brackwell::headless {

struct MessageBoxShown {
    std::string prompt;
    std::int32_t style = 0;
    std::string title;
};

struct InputBoxShown {
    std::string prompt;
    std::string title;
    std::string defaultText;
    std::optional<std::string> answer;  // empty when the user cancelled
};

// One request of the colour chooser, as the component made it.
struct ColorChooserShown {
    WindowHandle owner = 0;
    std::uint32_t flags = 0;
    Color initialColor = 0;
    std::array<Color, 16> customColors{};  // as handed in
    std::optional<Color> answer;           // empty when the user cancelled
};

class HeadlessUserInterface final : public UserInterface {
public:
    // UserInterface
    std::int32_t MsgBox(const std::string& prompt, std::int32_t style, const std::string& title) override;
    // Answers with the next scripted text, or cancels (empty text) when none is left.
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    void Beep() override { ++beeps_; }
    void DoEvents() override;
    // Chooses the next scripted colour, or cancels when none is left.
    bool ChooseColorDialog(ColorChoice& choice) override;
    // Kept until the test lets the host's message loop turn (RunPostedTasks).
    void PostTask(std::function<void()> task) override { postedTasks_.push_back(std::move(task)); }
    void CancelModalUi() override { ++modalCancels_; }

    // The host's message loop runs what was posted, also what the tasks post
    // meanwhile, up to `rounds` turns; returns how many tasks ran.
    int RunPostedTasks(int rounds = 100);
    std::size_t PendingTasks() const { return postedTasks_.size(); }
    // How often the component asked to cancel its menus and dialogs.
    std::int32_t ModalCancels() const { return modalCancels_; }

    // Scripting.
    void TypeNext(std::string text) { answers_.emplace_back(std::move(text)); }
    void CancelNext() { answers_.emplace_back(std::nullopt); }
    std::size_t PendingAnswers() const { return answers_.size(); }
    void ChooseColorNext(Color color) { colorAnswers_.emplace_back(color); }
    void CancelColorNext() { colorAnswers_.emplace_back(std::nullopt); }
    void SetDoEventsHook(std::function<void()> hook) { doEventsHook_ = std::move(hook); }

    // Inspection.
    const std::vector<MessageBoxShown>& MessageBoxes() const { return messageBoxes_; }
    const std::vector<InputBoxShown>& InputBoxes() const { return inputBoxes_; }
    const std::vector<ColorChooserShown>& ColorChoosers() const { return colorChoosers_; }
    std::int32_t BeepCount() const { return beeps_; }
    std::int32_t DoEventsCount() const { return doEvents_; }

private:
    std::vector<MessageBoxShown> messageBoxes_;
    std::vector<InputBoxShown> inputBoxes_;
    std::deque<std::optional<std::string>> answers_;
    std::vector<ColorChooserShown> colorChoosers_;
    std::deque<std::optional<Color>> colorAnswers_;
    std::function<void()> doEventsHook_;
    std::int32_t beeps_ = 0;
    std::int32_t doEvents_ = 0;
    std::deque<std::function<void()>> postedTasks_;
    std::int32_t modalCancels_ = 0;
};

}  // namespace brackwell::headless
