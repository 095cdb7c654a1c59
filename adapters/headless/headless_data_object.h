#pragma once
// The data object of a drag without a screen: at most one text entry, as the
// tree's drag carries it. A test fills it itself to play text dragged in from
// another program.

#include <cstdint>
#include <optional>
#include <string>

#include "host/tree_view.h"

namespace brackwell::headless {

class HeadlessDataObject final : public DataObject {
public:
    HeadlessDataObject() = default;
    explicit HeadlessDataObject(std::string text) : text_(std::move(text)) {}

    void Clear() override { text_.reset(); }
    // Only the text format is offered; another format fails with 461
    // (format not found), as the control's data object does.
    void SetData(const std::string& value, std::int32_t format) override;
    bool GetFormat(std::int32_t format) override { return format == vb::kTextFormat && text_.has_value(); }
    std::string GetData(std::int32_t format) override;

    const std::optional<std::string>& Text() const { return text_; }

private:
    std::optional<std::string> text_;
};

}  // namespace brackwell::headless
