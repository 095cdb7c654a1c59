// Stored settings texts: the seven values as another program or a hand edit
// may have left them, and the host's version text. Loading either succeeds
// (and then writes back what it read) or fails with error 13 naming the key;
// writing mExcel with any version text gives a version number.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "excel_standin/embedded/embedded_excel.h"
#include "adapters/headless/headless_platform.h"
#include "adapters/headless/memory_settings_store.h"
#include "core/component.h"
#include "core/settings.h"
#include "core/wayfinder.h"
#include "fuzz/fuzz_support.h"

using namespace brackwell;

namespace {

const char* const kKeys[] = {"Theme", "MapExpand", "Drag", "WBFore", "SHFore", "NameFore", "SetForeReg"};

bool Same(const Settings& a, const Settings& b) {
    return a.Theme == b.Theme && a.MapExpand == b.MapExpand && a.Drag == b.Drag && a.WBFore == b.WBFore &&
           a.SHFore == b.SHFore && a.NameFore == b.NameFore && a.SetForeReg == b.SetForeReg;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Eight texts separated by NUL bytes: the seven values, then the version.
    std::vector<std::string> texts(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && texts.size() < 8)
            texts.emplace_back();
        else
            texts.back() += static_cast<char>(data[i]);
    }
    texts.resize(8);

    headless::MemorySettingsStore store;
    for (std::size_t k = 0; k < 7; ++k) {
        if (!texts[k].empty()) store.SaveSetting("Brackwell", "Settings", kKeys[k], texts[k]);
    }
    try {
        const Settings loaded = LoadSettings(store);
        headless::MemorySettingsStore again;
        SaveSettings(again, loaded);
        if (!Same(LoadSettings(again), loaded)) fuzz::Finding("the settings did not read back as written");
    } catch (const AutomationError& e) {
        bool named = false;
        for (const char* key : kKeys)
            named |= e.Description().find(std::string("\"") + key + "\"") != std::string::npos;
        if (e.Number() != err::kTypeMismatch || !named) fuzz::Finding("load failed with " + e.Description());
    }

    headless::HeadlessPlatform platform;
    embedded::EmbeddedExcel excel(texts[7]);
    Component component(platform);
    fuzz::MustHold("writing mExcel", [&] {
        Wayfinder nav(component);
        nav.set_mExcel(excel.App());
        nav.UpdateTree(false);
    });
    return 0;
}
