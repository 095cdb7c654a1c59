// The about box's "Systeminfo...": the system information program, found
// where Microsoft's shared tools register it, and the registry reader it
// uses.

#include "core/failure.h"
#include "dialogs/frm_about.h"
#include "host/registry_text.h"

namespace brackwell {
namespace {

constexpr std::uint32_t kBufferSize = 1024;  // bytes; a longer value counts as not found
// Query value, set value, create sub-key, enumerate sub-keys, notify,
// create link and read control: the rights the routine has always asked for.
constexpr std::uint32_t kAccess = 0x2003F;

constexpr const char* kMsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kMsInfoValue = "PATH";
constexpr const char* kSharedToolsKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kSharedToolsValue = "MSINFO";
constexpr const char* kMsInfoFile = "\\MSINFO32.EXE";

constexpr const char* kNotAvailable = "Systeminformationen sind momentan nicht verfügbar";

// Closes an opened key however the reading ends.
class OpenedKey {
public:
    explicit OpenedKey(Registry& registry) : registry_(registry) {}
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    ~OpenedKey() {
        if (open_) registry_.CloseKey(key_);
    }
    long Open(std::uintptr_t root, const std::string& path) {
        const long status = registry_.OpenKey(root, path, kAccess, key_);
        open_ = status == reg::kSuccess;
        return status;
    }
    RegistryKey Get() const { return key_; }

private:
    Registry& registry_;
    RegistryKey key_ = 0;
    bool open_ = false;
};

// The value's data as text of its size, a closing NUL dropped.
std::string DataText(const std::vector<std::uint8_t>& data) {
    std::u16string units = RegistryTextUnits(data);
    if (!units.empty() && units.back() == u'\0') units.pop_back();
    return Utf16ToUtf8(units);
}

std::string DwordText(const std::vector<std::uint8_t>& data) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < data.size() && i < 4; ++i) value |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    return std::to_string(value);
}

}  // namespace

bool GetKeyValue(Registry& registry, std::uintptr_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal) {
    OpenedKey key(registry);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (key.Open(KeyRoot, KeyName) != reg::kSuccess ||
        registry.QueryValue(key.Get(), SubKeyRef, kBufferSize, type, data) != reg::kSuccess) {
        KeyVal.clear();
        return false;
    }
    if (type == reg::kTypeString) {
        KeyVal = DataText(data);
    } else if (type == reg::kTypeDword) {
        KeyVal = DwordText(data);
    }  // any other type leaves KeyVal as it was
    return true;
}

void StartSysInfo(Component& component) {
    SystemServices& system = component.platform.System();
    const bool started = IgnoreFailure([&] {
        std::string path;
        if (GetKeyValue(system.SystemRegistry(), reg::kLocalMachine, kMsInfoKey, kMsInfoValue, path)) {
            system.RunProgram(path, show::kNormalFocus);
            return;
        }
        if (GetKeyValue(system.SystemRegistry(), reg::kLocalMachine, kSharedToolsKey, kSharedToolsValue, path) &&
            system.FileExists(path + kMsInfoFile)) {
            system.RunProgram(path + kMsInfoFile, show::kNormalFocus);
            return;
        }
        Raise(err::kFileNotFound);
    });
    if (!started) IgnoreFailure([&] { component.platform.Ui().MsgBox(kNotAvailable, msgbox::kOkOnly, kAddinTitle); });
}

}  // namespace brackwell
