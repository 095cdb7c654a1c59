#include "adapters/headless/headless_platform.h"

#include <utility>

#include "adapters/headless/memory_settings_store.h"
#include "host/automation_error.h"

namespace brackwell::headless {

HeadlessPlatform::HeadlessPlatform() : HeadlessPlatform(std::make_unique<MemorySettingsStore>()) {}

HeadlessPlatform::HeadlessPlatform(std::unique_ptr<SettingsStore> settings)
    : settings_(settings ? std::move(settings) : std::make_unique<MemorySettingsStore>()),
      currentForm_(std::make_shared<HeadlessNavForm*>(nullptr)) {}

HeadlessPlatform::~HeadlessPlatform() = default;

std::shared_ptr<PopupMenu> HeadlessPlatform::CreatePopupMenu() {
    lastPopupMenu_ = std::make_shared<HeadlessPopupMenu>();
    return lastPopupMenu_;
}

std::unique_ptr<NavFormWindow> HeadlessPlatform::CreateNavForm(const ToolbarDesign& bar, FormEvents& events) {
    auto form = std::make_unique<HeadlessNavForm>(windows_, bar, events);
    HeadlessNavForm* created = form.get();
    form->SetOnDestroyed([slot = std::weak_ptr<HeadlessNavForm*>(currentForm_), created] {
        if (const auto current = slot.lock(); current && *current == created) *current = nullptr;
    });
    *currentForm_ = created;
    ++navFormsCreated_;
    return form;
}

std::shared_ptr<ShellObject> HeadlessPlatform::CreateShell() {
    if (!shellAvailable_) Raise(429, "Objekterstellung durch ActiveX-Komponente nicht möglich");
    return shell_;
}

std::unique_ptr<DialogWindow> HeadlessPlatform::CreateDialogWindow(const FormDesign& design, DialogEvents& events) {
    return std::make_unique<HeadlessDialog>(windows_, dialogUser_, design, events);
}

}  // namespace brackwell::headless
