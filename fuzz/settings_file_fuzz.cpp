// The settings file's format: any bytes read as a document whose text form
// reads back as the same document; the file store either answers or fails
// with error 13 naming the key, and a write over any file leaves a whole one.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "adapters/headless/atomic_file.h"
#include "adapters/headless/file_settings_store.h"
#include "adapters/headless/settings_document.h"
#include "fuzz/fuzz_support.h"
#include "host/automation_error.h"

using namespace brackwell;

namespace {

bool SameDocument(const headless::SettingsDocument& a, const headless::SettingsDocument& b) {
    if (a.Groups().size() != b.Groups().size()) return false;
    for (std::size_t g = 0; g < a.Groups().size(); ++g) {
        const auto& x = a.Groups()[g];
        const auto& y = b.Groups()[g];
        if (x.entries != y.entries) return false;
    }
    return true;
}

// A folder of this process's own, removed when the run ends.
class FuzzFolder {
public:
    FuzzFolder() : folder_(std::filesystem::temp_directory_path() / ("brackwell-fuzz-" + std::to_string(getpid()))) {}
    ~FuzzFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::filesystem::path File() const { return folder_ / "settings.ini"; }

private:
    std::filesystem::path folder_;
};

std::filesystem::path FuzzFile() {
    static const FuzzFolder folder;
    return folder.File();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto document = headless::SettingsDocument::FromText(text);
    const auto reread = headless::SettingsDocument::FromText(document.ToText());
    if (reread.FirstDamagedLine() != 0) fuzz::Finding("ToText wrote a line FromText cannot read");
    if (!SameDocument(document, reread)) fuzz::Finding("the document did not read back as written");

    headless::ReplaceFileAtomically(FuzzFile(), text);
    headless::FileSettingsStore store(FuzzFile());
    try {
        store.GetSetting("Brackwell", "Settings", "Drag", "1");
        if (document.FirstDamagedLine() != 0) fuzz::Finding("a damaged file was read");
    } catch (const AutomationError& e) {
        if (e.Number() != err::kTypeMismatch || e.Description().find("\"Drag\"") == std::string::npos)
            fuzz::Finding("a read failed with " + e.Description());
    }
    try {
        store.SaveSetting("Brackwell", "Settings", "Drag", text);
        if (store.GetSetting("Brackwell", "Settings", "Drag", "1") != text) fuzz::Finding("a value did not round-trip");
    } catch (const AutomationError& e) {
        fuzz::Finding("a write failed with " + e.Description());
    }
    return 0;
}
