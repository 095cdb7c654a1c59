#pragma once
// Owner of one BSTR: freed once, copied by value, readable as UTF-8.

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>

namespace brackwell::win {

class Bstr {
public:
    Bstr() noexcept = default;
    explicit Bstr(std::wstring_view text);
    explicit Bstr(std::string_view utf8);
    Bstr(const Bstr& other);
    Bstr(Bstr&& other) noexcept;
    Bstr& operator=(Bstr other) noexcept;
    ~Bstr();

    // Takes over a BSTR the caller was given ownership of.
    static Bstr Adopt(BSTR owned) noexcept;

    BSTR Get() const noexcept { return text_; }
    // For an [out] BSTR parameter: frees the current text first.
    BSTR* Receive() noexcept;
    // Hands the BSTR to a caller that frees it (an [out] parameter we fill).
    BSTR Detach() noexcept;

    std::wstring_view View() const noexcept;
    std::string ToUtf8() const;

    friend void swap(Bstr& a, Bstr& b) noexcept {
        BSTR t = a.text_;
        a.text_ = b.text_;
        b.text_ = t;
    }

private:
    BSTR text_ = nullptr;
};

// The text of a BSTR we do not own (a null BSTR is the empty text).
std::wstring_view BstrView(BSTR text) noexcept;
std::string BstrToUtf8(BSTR text);

}  // namespace brackwell::win
