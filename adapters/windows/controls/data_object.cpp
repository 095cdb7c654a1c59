#include "adapters/windows/controls/data_object.h"

#include <algorithm>
#include <optional>

#include "adapters/windows/common/utf.h"
#include "host/automation_error.h"

namespace brackwell::win {
namespace {

// The control's errors for a data object used the wrong way.
constexpr std::int32_t kWrongFormat = 461;
constexpr std::int32_t kNotDuringStartDrag = 672;

[[noreturn]] void RaiseWrongFormat() {
    Raise(kWrongFormat, "Das angegebene Format entspricht nicht dem Format der Daten");
}

// A medium OLE filled for us, released exactly once.
class Medium {
public:
    Medium() = default;
    Medium(const Medium&) = delete;
    Medium& operator=(const Medium&) = delete;
    ~Medium() { ::ReleaseStgMedium(&medium_); }
    STGMEDIUM* Receive() { return &medium_; }
    const STGMEDIUM& Get() const { return medium_; }

private:
    STGMEDIUM medium_{};
};

// Global memory locked for one scope; its size bounds every read, so text
// without its terminating zero never reads past the end.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL memory)
        : memory_(memory), bytes_(memory ? ::GlobalLock(memory) : nullptr),
          size_(bytes_ ? ::GlobalSize(memory) : 0) {}
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    ~LockedGlobal() {
        if (bytes_) ::GlobalUnlock(memory_);
    }
    const void* Bytes() const { return bytes_; }
    size_t Size() const { return size_; }

private:
    HGLOBAL memory_;
    const void* bytes_;
    size_t size_;
};

FORMATETC GlobalFormat(CLIPFORMAT format) { return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// The text in `format` up to its first zero, or nothing when the source does not give it.
std::optional<std::wstring> ReadText(IDataObject& data, CLIPFORMAT format) {
    FORMATETC wanted = GlobalFormat(format);
    Medium medium;
    if (FAILED(data.GetData(&wanted, medium.Receive())) || medium.Get().tymed != TYMED_HGLOBAL) return std::nullopt;
    const LockedGlobal memory(medium.Get().hGlobal);
    if (!memory.Bytes()) return std::nullopt;
    if (format == CF_UNICODETEXT) {
        const auto* text = static_cast<const wchar_t*>(memory.Bytes());
        const size_t capacity = memory.Size() / sizeof(wchar_t);
        size_t length = 0;
        while (length < capacity && text[length] != L'\0') ++length;
        return std::wstring(text, length);
    }
    const auto* text = static_cast<const char*>(memory.Bytes());
    size_t length = 0;
    while (length < memory.Size() && text[length] != '\0') ++length;
    if (length == 0) return std::wstring();
    const int wide = ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
    std::wstring result(static_cast<size_t>(std::max(0, wide)), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), result.data(), wide);
    return result;
}

bool Offers(IDataObject& data, CLIPFORMAT format, DWORD media) {
    FORMATETC asked{format, nullptr, DVASPECT_CONTENT, -1, media};
    return data.QueryGetData(&asked) == S_OK;
}

}  // namespace

WinDataObject::WinDataObject(ComPtr<IDataObject> data) : data_(std::move(data)) {}

WinDataObject::WinDataObject(ComPtr<TextDataObject> own)
    : data_(own ? own.template Query<IDataObject>() : ComPtr<IDataObject>()), own_(std::move(own)) {}

TextDataObject& WinDataObject::Writable() {
    if (!own_) Raise(kNotDuringStartDrag, "Die Formate des Datenobjekts k\xC3\xB6nnen nur beim Beginn des Ziehens gesetzt werden");
    return *own_.Get();
}

void WinDataObject::Clear() { Writable().Clear(); }

void WinDataObject::SetData(const std::string& value, std::int32_t format) {
    TextDataObject& own = Writable();
    if (format != vb::kTextFormat) RaiseWrongFormat();
    own.SetText(Utf8ToWide(value));
}

bool WinDataObject::GetFormat(std::int32_t format) {
    if (!data_ || format <= 0 || format > 0xFFFF) return false;
    if (format == vb::kTextFormat) {
        return Offers(*data_.Get(), CF_UNICODETEXT, TYMED_HGLOBAL) || Offers(*data_.Get(), CF_TEXT, TYMED_HGLOBAL);
    }
    return Offers(*data_.Get(), static_cast<CLIPFORMAT>(format),
                  TYMED_HGLOBAL | TYMED_GDI | TYMED_MFPICT | TYMED_ENHMF | TYMED_ISTREAM);
}

std::string WinDataObject::GetData(std::int32_t format) {
    if (!data_ || format != vb::kTextFormat) RaiseWrongFormat();
    std::optional<std::wstring> text = ReadText(*data_.Get(), CF_UNICODETEXT);
    if (!text) text = ReadText(*data_.Get(), CF_TEXT);
    if (!text) RaiseWrongFormat();
    return WideToUtf8(*text);
}

}  // namespace brackwell::win
