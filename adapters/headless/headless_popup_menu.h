#pragma once
// The shared popup menu without a screen. Every ShowPopup is recorded as the
// user would have seen the menu, and answers with the choice a test scripted
// beforehand; with nothing scripted the user dismisses the menu.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "host/popup_menu.h"

namespace brackwell::headless {

struct PopupItem {
    std::string caption;
    std::string key;
    std::optional<std::int32_t> image;
    bool enabled = true;
    bool checked = false;

    bool IsSeparator() const { return caption == "-"; }
};

// One showing of the menu.
struct ShownPopup {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::vector<PopupItem> items;
    std::optional<std::int32_t> visualStyle;  // empty: the control's default
    std::string fontFace;
    double fontSize = 0;
    std::int32_t answer = 0;  // the position returned, 0 when dismissed

    std::vector<std::string> Captions() const;
};

class HeadlessPopupMenu final : public PopupMenu {
public:
    static constexpr std::int32_t kDismissed = 0;

    // PopupMenu
    void ClearItems() override { items_.clear(); }
    void AddItem(const std::string& caption, const std::string& key, std::optional<std::int32_t> image,
                 bool enabled) override;
    // Fails with ScriptError when the scripted choice is one a user could
    // not make (no such item, a separator, a disabled item); the mistake is
    // also kept in ScriptErrors(), as a handler may swallow the failure.
    std::int32_t ShowPopup(std::int32_t x, std::int32_t y) override;
    // An unknown key fails with 35601.
    void SetItemChecked(const std::string& key, bool checked) override;
    // A position naming no item fails with 9.
    std::string ItemKey(std::int32_t position) override;
    void SetVisualStyle(std::int32_t style) override { visualStyle_ = style; }
    void SetFont(const std::string& face, double size) override;

    // Scripting: the answers of the next showings, in order.
    void ChooseNext(std::int32_t position);
    void ChooseNextByCaption(const std::string& caption);
    void DismissNext();
    std::size_t PendingAnswers() const { return answers_.size(); }
    // Runs `action` while the next showing is open, before the user answers,
    // as a real menu's message loop lets the host's events in.
    void WhileOpenNext(std::function<void()> action) { whileOpen_ = std::move(action); }

    // Inspection.
    const std::vector<PopupItem>& Items() const { return items_; }
    const std::vector<ShownPopup>& History() const { return history_; }
    const ShownPopup& LastShown() const;  // ScriptError when never shown
    const std::optional<std::int32_t>& VisualStyle() const { return visualStyle_; }
    const std::string& FontFace() const { return fontFace_; }
    double FontSize() const { return fontSize_; }
    const std::vector<std::string>& ScriptErrors() const { return scriptErrors_; }

private:
    using Answer = std::variant<std::int32_t, std::string>;  // a position or a caption

    std::int32_t Resolve(const Answer& answer) const;  // throws ScriptError

    std::vector<PopupItem> items_;
    std::deque<Answer> answers_;
    std::function<void()> whileOpen_;
    std::vector<ShownPopup> history_;
    std::optional<std::int32_t> visualStyle_;
    std::string fontFace_ = "MS Sans Serif";
    double fontSize_ = 8.25;
    std::vector<std::string> scriptErrors_;
};

}  // namespace brackwell::headless
