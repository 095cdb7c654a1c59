#include "adapters/windows/shell/win_shell.h"

#include <objbase.h>

#include <utility>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/common/hresult_error.h"
#include "adapters/windows/common/variant.h"
#include "adapters/windows/common/variant_convert.h"

namespace brackwell::win {
namespace {

constexpr wchar_t kShellProgId[] = L"WScript.Shell";

// Error 429, as VB's CreateObject reports a class it cannot create.
constexpr std::int32_t kCannotCreate = 429;

ComPtr<IDispatch> CreateByProgId(const wchar_t* progId) {
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(progId, &clsid);
    ComPtr<IDispatch> object;
    if (SUCCEEDED(hr)) {
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                              object.ReceiveVoid());
    }
    if (FAILED(hr) || !object) {
        Raise(kCannotCreate, "Objekterstellung durch ActiveX-Komponente nicht möglich (" +
                                 ErrorFromHresult(FAILED(hr) ? hr : E_NOINTERFACE).Description() + ")");
    }
    return object;
}

class WinShortcut final : public Shortcut {
public:
    explicit WinShortcut(LateBound shortcut) : shortcut_(std::move(shortcut)) {}

    void SetTargetPath(const std::string& path) override { shortcut_.Put(L"TargetPath", Variant::Text(path)); }
    void Save() override { shortcut_.Call(L"Save"); }

private:
    LateBound shortcut_;
};

}  // namespace

WinShell::WinShell()
    : shell_(CreateByProgId(kShellProgId), std::make_shared<DispIdRegistry>()) {}

std::string WinShell::SpecialFolder(const std::string& name) {
    // A script writes SpecialFolders("Desktop"); the property itself takes no
    // argument, so the name goes to the collection's default member.
    const LateBound folders = shell_.Child(shell_.Get(L"SpecialFolders"));
    if (folders.IsNothing()) Raise(err::kObjectNotSet);
    return ToUtf8(folders.GetById(DISPID_VALUE, Args(Variant::Text(name))).Get());
}

std::shared_ptr<Shortcut> WinShell::CreateShortcut(const std::string& path) {
    LateBound shortcut = shell_.Child(shell_.Get(L"CreateShortcut", Args(Variant::Text(path))));
    if (shortcut.IsNothing()) Raise(err::kObjectNotSet);
    return std::make_shared<WinShortcut>(std::move(shortcut));
}

}  // namespace brackwell::win
