#include "adapters/headless/headless_user_interface.h"

namespace brackwell::headless {

std::int32_t HeadlessUserInterface::MsgBox(const std::string& prompt, std::int32_t style, const std::string& title) {
    messageBoxes_.push_back(MessageBoxShown{prompt, style, title});
    return msgbox::kOk;  // every box the component shows has an OK button only
}

std::string HeadlessUserInterface::InputBox(const std::string& prompt, const std::string& title,
                                            const std::string& defaultText) {
    std::optional<std::string> answer;
    if (!answers_.empty()) {
        answer = std::move(answers_.front());
        answers_.pop_front();
    }
    inputBoxes_.push_back(InputBoxShown{prompt, title, defaultText, answer});
    return answer.value_or(std::string());
}

bool HeadlessUserInterface::ChooseColorDialog(ColorChoice& choice) {
    ColorChooserShown shown{choice.owner, choice.flags, choice.rgbResult, {}, std::nullopt};
    if (choice.customColors) shown.customColors = *choice.customColors;
    if (!colorAnswers_.empty()) {
        shown.answer = colorAnswers_.front();
        colorAnswers_.pop_front();
    }
    colorChoosers_.push_back(shown);
    if (!shown.answer) return false;
    choice.rgbResult = *shown.answer;
    return true;
}

void HeadlessUserInterface::DoEvents() {
    ++doEvents_;
    // A copy: the hook may replace itself, or let events in that call DoEvents again.
    const std::function<void()> hook = doEventsHook_;
    if (hook) hook();
}

int HeadlessUserInterface::RunPostedTasks(int rounds) {
    int ran = 0;
    for (int round = 0; round < rounds && !postedTasks_.empty(); ++round) {
        // One turn runs what was there when it began; what the tasks post waits for the next.
        std::deque<std::function<void()>> now;
        now.swap(postedTasks_);
        for (auto& task : now) {
            task();
            ++ran;
        }
    }
    return ran;
}

}  // namespace brackwell::headless
