#include "adapters/windows/common/hresult_error.h"

#include <oleauto.h>

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/utf.h"

namespace brackwell::win {

namespace {

constexpr std::uint32_t kControlFacilityMask = 0xFFFF0000u;
constexpr std::uint32_t kControlFacility = 0x800A0000u;  // MAKE_HRESULT(1, FACILITY_CONTROL, 0)

struct KnownFailure {
    HRESULT code;
    std::int32_t number;
    const char* description;  // "" where StandardDescription has the text
};

// The dispatch failures the VB runtime reports under its own numbers.
constexpr KnownFailure kKnownFailures[] = {
    {E_OUTOFMEMORY, 7, "Nicht genügend Speicher"},
    {E_INVALIDARG, err::kInvalidCall, ""},
    {E_NOINTERFACE, 430, "Klasse unterstützt keine Automatisierung oder erwartete Schnittstelle nicht"},
    {DISP_E_UNKNOWNNAME, err::kNotSupported, ""},
    {DISP_E_MEMBERNOTFOUND, err::kNotSupported, ""},
    {DISP_E_TYPEMISMATCH, err::kTypeMismatch, ""},
    {DISP_E_OVERFLOW, err::kOverflow, ""},
    {DISP_E_BADINDEX, err::kSubscriptOutOfRange, ""},
    {DISP_E_ARRAYISLOCKED, 10, "Datenfeld ist unveränderlich oder momentan gesperrt"},
    {DISP_E_DIVBYZERO, 11, "Division durch Null"},
    {DISP_E_NONAMEDARGS, 446, "Objekt unterstützt keine benannten Argumente"},
    {DISP_E_PARAMNOTFOUND, 448, "Benanntes Argument nicht gefunden"},
    {DISP_E_PARAMNOTOPTIONAL, 449, "Argument ist nicht optional"},
    {DISP_E_BADPARAMCOUNT, 450, "Falsche Anzahl an Argumenten oder ungültige Eigenschaftszuweisung"},
    {DISP_E_BADVARTYPE, 458, "Variable verwendet einen nicht unterstützten Automatisierungstyp"},
};

const KnownFailure* FindKnown(HRESULT code) noexcept {
    for (const KnownFailure& known : kKnownFailures) {
        if (known.code == code) return &known;
    }
    return nullptr;
}

std::string SystemMessage(HRESULT hr) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (length == 0 || buffer == nullptr) return {};
    std::wstring text(buffer, length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return WideToUtf8(text);
}

// The text VB shows when the failing object gave none.
std::string DefaultDescription(HRESULT code, std::int32_t number) {
    if (const KnownFailure* known = FindKnown(code); known && *known->description)
        return known->description;
    std::string standard = StandardDescription(number);
    if (!standard.empty()) return standard;
    if (static_cast<std::uint32_t>(code) & 0x80000000u &&
        (static_cast<std::uint32_t>(code) & kControlFacilityMask) != kControlFacility) {
        std::string system = SystemMessage(code);
        return system.empty() ? StandardDescription(err::kDisconnected)
                              : StandardDescription(err::kDisconnected) + "\n" + system;
    }
    return {};
}

}  // namespace

std::int32_t NumberFromScode(HRESULT scode) noexcept {
    const auto bits = static_cast<std::uint32_t>(scode);
    if ((bits & kControlFacilityMask) == kControlFacility) return static_cast<std::int32_t>(bits & 0xFFFFu);
    if (const KnownFailure* known = FindKnown(scode)) return known->number;
    return static_cast<std::int32_t>(bits);
}

HRESULT ScodeFromNumber(std::int32_t number) noexcept {
    if (number > 0 && number < 65536)
        return static_cast<HRESULT>(kControlFacility | static_cast<std::uint32_t>(number));
    return static_cast<HRESULT>(number);
}

HRESULT FailureFromNumber(std::int32_t number) noexcept {
    const HRESULT code = ScodeFromNumber(number);
    return FAILED(code) ? code : E_FAIL;
}

AutomationError ErrorFromHresult(HRESULT hr) {
    const std::int32_t number = NumberFromScode(hr);
    return AutomationError(number, DefaultDescription(hr, number));
}

AutomationError ErrorFromExcepInfo(EXCEPINFO& info) {
    if (info.pfnDeferredFillIn != nullptr) {
        info.pfnDeferredFillIn(&info);
        info.pfnDeferredFillIn = nullptr;
    }
    // wCode and scode are exclusive: a server sets one of them.
    const HRESULT code = info.wCode != 0 ? ScodeFromNumber(info.wCode)
                         : info.scode != 0 ? info.scode
                                           : DISP_E_EXCEPTION;
    const std::int32_t number = NumberFromScode(code);
    std::string description = BstrToUtf8(info.bstrDescription);
    if (description.empty()) description = DefaultDescription(code, number);
    return AutomationError(number, std::move(description));
}

void FillExcepInfo(EXCEPINFO& info, const AutomationError& error, std::wstring_view source) {
    info = EXCEPINFO{};
    // The scode carries the number even where it would not be a failure code
    // (above 65535): the caller already knows from DISP_E_EXCEPTION it failed.
    info.scode = error.Number() == 0 ? E_FAIL : ScodeFromNumber(error.Number());
    info.bstrSource = Bstr(source).Detach();
    info.bstrDescription = Bstr(std::string_view(error.Description())).Detach();
}

void ThrowIfFailed(HRESULT hr) {
    if (FAILED(hr)) throw ErrorFromHresult(hr);
}

ExcepInfo::ExcepInfo() noexcept : info_{} {}

ExcepInfo::~ExcepInfo() { Clear(); }

EXCEPINFO* ExcepInfo::Receive() noexcept {
    Clear();
    return &info_;
}

void ExcepInfo::Clear() noexcept {
    // Mostly there is nothing to free: every host call clears one of these twice.
    for (BSTR* text : {&info_.bstrSource, &info_.bstrDescription, &info_.bstrHelpFile}) {
        if (*text) SysFreeString(*text);
    }
    info_ = EXCEPINFO{};
}

}  // namespace brackwell::win
