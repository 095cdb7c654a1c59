#pragma once
// The tree's drag data object: holds text (format 1) only, as the tree's
// data object carries nothing else for this component.

#include <cstdint>
#include <optional>
#include <string>

#include "host/tree_view.h"

namespace brackwell::headless {

// Errors of the data object, with the texts of a German VB runtime.
inline constexpr std::int32_t kInvalidClipboardFormat = 460;
inline constexpr std::int32_t kFormatMismatch = 461;

class HeadlessDataObject final : public DataObject {
public:
    HeadlessDataObject() = default;
    explicit HeadlessDataObject(std::string text) : text_(std::move(text)) {}

    void Clear() override;
    // Only format 1 (text) is held; any other fails with 460.
    void SetData(const std::string& value, std::int32_t format) override;
    bool GetFormat(std::int32_t format) override;
    // Fails with 461 when nothing is held in that format.
    std::string GetData(std::int32_t format) override;

    const std::optional<std::string>& Text() const { return text_; }

private:
    std::optional<std::string> text_;
};

}  // namespace brackwell::headless
