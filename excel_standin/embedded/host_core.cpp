#include "excel_standin/embedded/host_core.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "excel_standin/embedded/collection_ports.h"
#include "excel_standin/embedded/naming_rules.h"
#include "excel_standin/embedded/unicode_text.h"
#include "host/automation_error.h"

namespace brackwell::embedded {

std::shared_ptr<HostCore> HostCore::Create(std::string version) {
    return std::make_shared<HostCore>(CreateKey{}, std::move(version));
}

HostCore::HostCore(CreateKey, std::string version)
    : version_(std::move(version)),
      events_(std::make_shared<EventHub>()),
      memoryFiles_(std::make_shared<MemoryWorkbookFiles>()),
      files_(memoryFiles_) {
    events_->SetWindowSource([this](const WorkbookPtr& wb) -> WindowPtr {
        auto own = std::dynamic_pointer_cast<WorkbookObject>(wb);
        return own ? WindowOf(own) : nullptr;
    });
}

void HostCore::SetFiles(std::shared_ptr<WorkbookFiles> files) {
    files_ = files ? std::move(files) : memoryFiles_;
}

int HostCore::MajorVersion() const {
    int major = 0;
    for (char c : version_) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || major > 1000) break;
        major = major * 10 + (c - '0');
    }
    return major;
}

void HostCore::SetSheetsInNewWorkbook(int count) {
    if (count < 1 || count > 255) throw std::invalid_argument("SheetsInNewWorkbook is 1 to 255");
    sheetsInNewWorkbook_ = count;
}

void HostCore::SetMaxRecentFiles(int count) {
    if (count < 0 || count > 50) throw std::invalid_argument("the recent-file list holds 0 to 50 entries");
    maxRecentFiles_ = static_cast<std::size_t>(count);
    if (recentFiles_.size() > maxRecentFiles_) recentFiles_.resize(maxRecentFiles_);
}

ApplicationPtr HostCore::App() {
    if (!app_) app_ = std::make_shared<ApplicationObject>(weak_from_this());
    return app_;
}

HostCore::ShObj HostCore::ActiveSheet() const { return active_ ? active_->activeSheet_ : nullptr; }

FileChoice HostCore::GetOpenFilename(bool multiSelect) {
    FileChoice answer = user_.AskOpenFile();
    if (auto* list = std::get_if<std::vector<std::string>>(&answer)) {
        if (list->empty()) return false;
        if (!multiSelect) return list->front();
        return answer;
    }
    if (auto* one = std::get_if<std::string>(&answer)) {
        // With MultiSelect the host answers with a list even for one file.
        if (multiSelect) return std::vector<std::string>{*one};
        return answer;
    }
    return false;
}

void HostCore::AddRecentFile(const std::string& fullPath) {
    std::erase_if(recentFiles_, [&](const std::string& p) { return EqualsIgnoreCase(p, fullPath); });
    recentFiles_.insert(recentFiles_.begin(), fullPath);
    if (recentFiles_.size() > maxRecentFiles_) recentFiles_.resize(maxRecentFiles_);
}

SelectionView HostCore::Selection() const {
    const ShObj sheet = ActiveSheet();
    if (!sheet) return {};
    return {active_->name_, sheet->name_, sheet->selection_};
}

HostCore::WbObj HostCore::WorkbookAt(std::int32_t index) const {
    if (index < 1 || index > WorkbookCount()) Raise(err::kSubscriptOutOfRange);
    return workbooks_[static_cast<std::size_t>(index - 1)];
}

HostCore::WbObj HostCore::WorkbookByName(const std::string& name) const {
    WbObj found = FindOpenByName(name, nullptr);
    if (!found) Raise(err::kSubscriptOutOfRange);
    return found;
}

std::string HostCore::FullNameOf(const WorkbookObject& wb) const {
    if (wb.path_.empty()) return wb.name_;
    const char last = wb.path_.back();
    return wb.path_ + (last == '\\' || last == '/' ? "" : "\\") + wb.name_;
}

void HostCore::ActivateWorkbook(const WbObj& wb) {
    // An add-in is never active; a workbook whose window is hidden stays in
    // the background (UNCONFIRMED: Excel may raise here instead).
    if (wb->isAddin_ || !wb->windowVisible_ || active_ == wb) return;
    SwitchActiveWorkbook(wb, std::nullopt);
}

// --- helpers

HostCore::WbObj HostCore::OwnerOf(const SheetObject& sheet) {
    WbObj owner = sheet.owner_.lock();
    if (!owner || !owner->IsOpen() || sheet.deleted_) Raise(err::kDisconnected);
    return owner;
}

void HostCore::Fire(EventKind kind, const WbObj& wb, const ShObj& sheet) {
    PendingEvent event{kind, wb, sheet};
    if (deferEvents_) {
        events_->Post(std::move(event));
    } else {
        events_->Fire(event);
    }
}

bool HostCore::FireBeforeSave(const WbObj& wb, bool saveAsUi) {
    if (deferEvents_) {
        events_->Post(PendingEvent{EventKind::WorkbookBeforeSave, wb, nullptr});
        return false;
    }
    return events_->FireBeforeSave(wb, saveAsUi);
}

void HostCore::MakeActive(const WbObj& wb) {
    active_ = wb;
    wb->lastActivated_ = ++activationClock_;
}

void HostCore::SwitchActiveWorkbook(const WbObj& target, std::optional<EventKind> announce) {
    // Excel's order: the old workbook hears WindowDeactivate and
    // WorkbookDeactivate while it is still the active one; the new one is
    // active when it is announced, then hears WorkbookActivate and
    // WindowActivate (UNCONFIRMED: the order of the two deactivations).
    const WbObj previous = active_;
    if (previous && previous != target) {
        Fire(EventKind::WindowDeactivate, previous);
        if (!target->IsOpen() || active_ != previous) return;  // a handler closed or activated something
        Fire(EventKind::WorkbookDeactivate, previous);
        if (!target->IsOpen()) return;
    }
    MakeActive(target);
    if (announce) {
        Fire(*announce, target);
        if (!target->IsOpen() || active_ != target) return;
    }
    if (previous == target) return;
    Fire(EventKind::WorkbookActivate, target);
    if (target->IsOpen() && active_ == target) Fire(EventKind::WindowActivate, target);
}

void HostCore::AppendWorkbook(const WbObj& wb) {
    workbooks_.push_back(wb);
    MakeWindow(*wb);
}

void HostCore::MakeWindow(WorkbookObject& wb) {
    if (WindowPerWorkbook() && createWindow_ && !wb.windowHwnd_) wb.windowHwnd_ = createWindow_(wb.name_);
}

void HostCore::SetWindowMaker(std::function<WindowHandle(const std::string&)> create,
                              std::function<void(WindowHandle)> destroy) {
    createWindow_ = std::move(create);
    destroyWindow_ = std::move(destroy);
    for (const WbObj& wb : workbooks_) MakeWindow(*wb);
}

WindowPtr HostCore::WindowOf(const WbObj& wb) {
    // The same window is the same object while anyone holds it, as in Excel.
    if (std::shared_ptr<Window> known = wb->windowPort_.lock()) return known;
    auto window = std::make_shared<WindowObject>(weak_from_this(), wb);
    wb->windowPort_ = window;
    return window;
}

std::vector<HostCore::WbObj> HostCore::WindowOrder() const {
    std::vector<WbObj> order = workbooks_;
    std::stable_sort(order.begin(), order.end(), [this](const WbObj& a, const WbObj& b) {
        if ((a == active_) != (b == active_)) return a == active_;
        return a->lastActivated_ > b->lastActivated_;
    });
    return order;
}

WindowHandle HostCore::WindowHwnd(const WbObj& wb) const {
    if (!WindowPerWorkbook()) Raise(err::kNotSupported);
    return wb->windowHwnd_;
}

HostCore::WbObj HostCore::MostRecentlyActiveVisible() const {
    WbObj best;
    for (const WbObj& wb : workbooks_) {
        if (!wb->windowVisible_ || !wb->IsOpen()) continue;
        if (!best || wb->lastActivated_ >= best->lastActivated_) best = wb;
    }
    return best;
}

std::string HostCore::NextWorkbookName() {
    // The counter never goes back, so a closed "Mappe2" is not named again.
    while (true) {
        std::string name = std::string(kWorkbookBaseName) + std::to_string(nextWorkbookNumber_++);
        if (!FindOpenByName(name, nullptr)) return name;
    }
}

void HostCore::NoteWorkbookName(const std::string& name) {
    const int number = NumberAfterBase(name, kWorkbookBaseName);
    if (number >= nextWorkbookNumber_) nextWorkbookNumber_ = number + 1;
}

HostCore::WbObj HostCore::NewWorkbookObject(std::string name) {
    return std::make_shared<WorkbookObject>(weak_from_this(), std::move(name));
}

HostCore::ShObj HostCore::NewSheet(const WbObj& owner, std::string name, SheetKind kind) {
    return std::make_shared<SheetObject>(weak_from_this(), owner, std::move(name), kind);
}

HostCore::WbObj HostCore::FindOpenByName(std::string_view name, const WorkbookObject* except) const {
    for (const auto* list : {&workbooks_, &addins_}) {
        for (const WbObj& wb : *list) {
            if (wb.get() != except && EqualsIgnoreCase(wb->name_, name)) return wb;
        }
    }
    return nullptr;
}

void HostCore::RegisterMacro(const std::string& name, std::function<void()> macro) {
    macros_[name] = std::move(macro);
}

bool HostCore::PressCommandBarButton(const std::string& barName, int buttonIndex) {
    auto bar = bars_.Find(barName);
    if (!bar || buttonIndex < 1 || buttonIndex > static_cast<int>(bar->buttons.size())) return false;
    const CommandBarButtonView button = bar->buttons[static_cast<std::size_t>(buttonIndex - 1)];
    if (!button.enabled || button.onAction.empty()) return false;
    auto macro = macros_.find(button.onAction);
    if (macro == macros_.end()) {
        // "Mappe1.xlsm!UpdateNav" names the macro after the last "!".
        const std::size_t bang = button.onAction.rfind('!');
        if (bang != std::string::npos) macro = macros_.find(button.onAction.substr(bang + 1));
    }
    if (macro == macros_.end()) return false;
    const auto run = macro->second;  // a copy: the macro may register others
    run();
    return true;
}

}  // namespace brackwell::embedded
