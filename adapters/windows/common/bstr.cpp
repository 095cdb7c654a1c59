#include "adapters/windows/common/bstr.h"

#include <climits>
#include <new>

#include "adapters/windows/common/utf.h"

namespace brackwell::win {

namespace {
// `text` null: room for `length` characters, to be filled by the caller.
BSTR Allocate(const wchar_t* text, std::size_t length) {
    if (length > static_cast<std::size_t>(UINT_MAX / sizeof(wchar_t))) throw std::bad_alloc();
    BSTR result = SysAllocStringLen(text, static_cast<UINT>(length));
    if (result == nullptr) throw std::bad_alloc();
    return result;
}

BSTR Allocate(std::wstring_view text) { return Allocate(text.data(), text.size()); }

// Widened straight into the BSTR.
BSTR Allocate(std::string_view utf8) {
    const std::size_t length = WideLength(utf8);
    BSTR result = Allocate(nullptr, length);
    WidenInto(utf8, result, length);
    return result;
}
}  // namespace

Bstr::Bstr(std::wstring_view text) : text_(Allocate(text)) {}

Bstr::Bstr(std::string_view utf8) : text_(Allocate(utf8)) {}

Bstr::Bstr(const Bstr& other) : text_(other.text_ ? Allocate(other.View()) : nullptr) {}

Bstr::Bstr(Bstr&& other) noexcept : text_(other.Detach()) {}

Bstr& Bstr::operator=(Bstr other) noexcept {
    swap(*this, other);
    return *this;
}

Bstr::~Bstr() { SysFreeString(text_); }

Bstr Bstr::Adopt(BSTR owned) noexcept {
    Bstr result;
    result.text_ = owned;
    return result;
}

BSTR* Bstr::Receive() noexcept {
    SysFreeString(text_);
    text_ = nullptr;
    return &text_;
}

BSTR Bstr::Detach() noexcept {
    BSTR result = text_;
    text_ = nullptr;
    return result;
}

std::wstring_view Bstr::View() const noexcept { return BstrView(text_); }

std::string Bstr::ToUtf8() const { return WideToUtf8(View()); }

std::wstring_view BstrView(BSTR text) noexcept {
    // Length from the prefix, not the terminator: a BSTR may hold NULs.
    return text ? std::wstring_view(text, SysStringLen(text)) : std::wstring_view();
}

std::string BstrToUtf8(BSTR text) { return WideToUtf8(BstrView(text)); }

}  // namespace brackwell::win
