#include "apps/demo/demo_session.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>

#include "adapters/windows/common/utf.h"
#include "apps/sample_session/sample_session.h"
#include "excel_standin/office/key_routing.h"

namespace brackwell::demo {
namespace {

using win::Utf8ToWide;
using win::WideToUtf8;

// A folder the system knows for the user; empty when it does not say.
std::string KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &path)) && path) folder = WideToUtf8(path);
    ::CoTaskMemFree(path);
    return folder;
}

// The demo's own folder for the session's closed workbooks, made when
// missing: in the user's local application data, not among the user's
// documents (under Wine those are the home folder); empty when there is none.
std::string ArchiveFolder() {
    const std::string local = KnownFolder(FOLDERID_LocalAppData);
    if (local.empty()) return {};
    const std::string archive = local + "\\Brackwell Demo";
    ::CreateDirectoryW(Utf8ToWide(archive).c_str(), nullptr);
    return ::GetFileAttributesW(Utf8ToWide(archive).c_str()) == INVALID_FILE_ATTRIBUTES ? std::string() : archive;
}

}  // namespace

bool PrintCheck(bool ok, const std::string& what) {
    std::fputs((std::string(ok ? "ok" : "FAILED") + "  " + what + "\n").c_str(), stdout);
    std::fflush(stdout);
    return ok;
}

DemoSession::DemoSession(HINSTANCE instance, DemoOptions options)
    : instance_(instance),
      options_(std::move(options)),
      excel_(VersionOf(options_.generation)),
      files_(std::make_shared<win::xlsx::XlsxWorkbookFiles>()),
      user_(std::make_shared<DialogUser>(instance, files_)) {}

DemoSession::~DemoSession() { excel_.SetPendingEventNotifier(nullptr); }

void DemoSession::Load() {
    excel_.SetFiles(files_);
    // The sample workbooks "live" in the user's Documents, so saving them works.
    if (const std::string documents = KnownFolder(FOLDERID_Documents); !documents.empty()) {
        excel_.SetDefaultFilePath(documents);
        user_->SetStartFolder(documents);
        const std::string archive = ArchiveFolder();
        apps::LoadSampleSession(excel_, documents, archive);
        if (!archive.empty()) WriteMissingSampleFiles(archive);
    } else {
        apps::LoadSampleSession(excel_);
    }
    if (Interactive()) excel_.User().answerer = user_;
    pump_ = std::make_unique<win::PendingEventPump>([this] { excel_.RunPendingEvents(); });
    excel_.SetPendingEventNotifier(pump_->Notifier());
}

void DemoSession::WriteMissingSampleFiles(const std::string& archive) {
    // Last year's workbook on the recent-file list: written once, never over
    // a file that is there, so that the pane's recent-file item opens it.
    for (const apps::SampleFile& file : apps::SampleClosedFiles(archive)) {
        if (files_->Exists(file.path)) continue;
        try {
            files_->Save(file.path, file.content);
        } catch (const std::exception&) {
            // Then the item opens nothing, as in Excel for a file that has gone.
        }
    }
}

void DemoSession::Report(const std::wstring& text, HWND owner) const {
    if (options_.mode == DemoMode::Interactive) {
        ::MessageBoxW(owner, text.c_str(), kDemoTitle, MB_OK | MB_ICONEXCLAMATION);
    } else {
        // Nobody is there to close a box: the automatic runs print instead.
        std::fputs(("Message box: " + WideToUtf8(text) + "\n").c_str(), stderr);
    }
}

int DemoSession::MessageLoop() {
    MSG msg;
    BOOL got;
    while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1) return 1;
        office::DispatchHostMessage(msg);
    }
    return static_cast<int>(msg.wParam);
}

bool DemoSession::WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that ends the run
                return false;
            }
            office::DispatchHostMessage(msg);
        }
        if (condition()) return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) return false;
        // Sleeps only until the next message arrives or a little time has passed.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 50)),
                                    QS_ALLINPUT);
    }
}

std::vector<std::wstring> DemoSession::VisibleWorkbookNames() {
    std::vector<std::wstring> names;
    for (const WorkbookPtr& wb : excel_.App()->Workbooks()->Enumerate()) {
        if (wb->Windows()->Item(1)->Visible()) names.push_back(Utf8ToWide(wb->Name()));
    }
    return names;
}

WorkbookPicture DemoSession::ReadWorkbook(const WorkbookPtr& given) {
    WorkbookPicture picture;
    try {
        const WorkbookPtr wb = given ? given : excel_.App()->ActiveWorkbook();
        if (!wb) return picture;
        picture.workbook = wb->Name();
        const embedded::WorkbookContent content = excel_.Snapshot(wb);
        picture.sheet = content.activeSheet;
        picture.tabs = SheetTabsOf(content, picture.sheet);
        for (const SheetTab& tab : picture.tabs) {
            if (tab.active) picture.chart = tab.chart;
        }
        const embedded::Selection selection = excel_.CurrentSelection();
        if (selection.workbook == picture.workbook && selection.sheet == picture.sheet) picture.selection = selection.range;
    } catch (const std::exception&) {
        // Shown as far as it could be read.
    }
    return picture;
}

}  // namespace brackwell::demo
