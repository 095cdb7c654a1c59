// A sample of the fault sweep through the real brackwell.dll: each COM member
// and host event runs once on a fresh scene with its host calls counted, then
// again with the Nth call failing in the host's automation facade, so the
// failure crosses IDispatch twice (facade to host adapter as an exception,
// never back to the client). Every run: S_OK to the caller, the routine's own
// message box or none, and every reference given back afterwards.

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "adapters/windows/common/utf.h"
#include "excel_standin/facade/live_objects.h"
#include "tests/windows/message_pump.h"
#include "tests/windows_com/message_box_watch.h"
#include "tests/windows_com/server_dll.h"
#include "tests/windows_reliability/com_scene.h"

namespace brackwell::win::test {
namespace {

enum class Style { Skip, NavBarBox, LinkBox };

struct ComEntry {
    std::string name;
    Style style = Style::Skip;
    bool dock = true;
    // The call that runs (and is counted); the HRESULT the client sees.
    std::function<HRESULT(ComScene&)> act;
};

HRESULT Fire(ComScene& s, embedded::EventKind kind) {
    s.excel.PostEvent({kind, s.argument, nullptr});
    s.excel.RunPendingEvents();
    return S_OK;
}

std::vector<ComEntry> Entries() {
    using embedded::EventKind;
    return {
        {"UpdateTree", Style::Skip, true, [](ComScene& s) { return Call(s.nav.Get(), L"UpdateTree").hr; }},
        {"UpdateTree True", Style::Skip, true,
         [](ComScene& s) { return Call(s.nav.Get(), L"UpdateTree", {Variant::Bool(true)}).hr; }},
        {"CreateNavBar", Style::NavBarBox, false, [](ComScene& s) { return Call(s.nav.Get(), L"CreateNavBar").hr; }},
        {"CreateNavBar again", Style::NavBarBox, true,
         [](ComScene& s) { return Call(s.nav.Get(), L"CreateNavBar").hr; }},
        {"SizeOn", Style::Skip, true, [](ComScene& s) { return Call(s.nav.Get(), L"SizeOn").hr; }},
        {"DelNavBar", Style::Skip, true, [](ComScene& s) { return Call(s.nav.Get(), L"DelNavBar").hr; }},
        {"release", Style::Skip, true,
         [](ComScene& s) {
             s.nav.Reset();
             return S_OK;
         }},
        {"CreateLink", Style::LinkBox, true,
         [](ComScene& s) { return Call(s.nav.Get(), L"CreateLink", {Variant::Object(s.book)}).hr; }},
        {"event WorkbookOpen", Style::Skip, true, [](ComScene& s) { return Fire(s, EventKind::WorkbookOpen); }},
        {"event SheetActivate", Style::Skip, true, [](ComScene& s) { return Fire(s, EventKind::SheetActivate); }},
        {"event NewWorkbook", Style::Skip, true, [](ComScene& s) { return Fire(s, EventKind::NewWorkbook); }},
        {"event WorkbookBeforeSave", Style::Skip, true,
         [](ComScene& s) { return Fire(s, EventKind::WorkbookBeforeSave); }},
    };
}

struct ComRun {
    HRESULT hr = E_FAIL;
    std::vector<std::string> members;  // the host calls, in order
    std::vector<SeenMessageBox> boxes;
    std::size_t sinkFailures = 0;
    std::int64_t liveAfter = 0;
    HRESULT canUnload = S_FALSE;
    bool paneOrBarLeft = false;  // after the navigator was let go without DelNavBar
};

class ComFaultSample : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server_ = std::make_unique<RegisteredServer>(); }
    static void TearDownTestSuite() { server_.reset(); }
    void SetUp() override {
        ASSERT_EQ(server_->registerResult, S_OK);
        // Tab colours on, so the rebuild reads them too.
        RegSetKeyValueW(HKEY_CURRENT_USER, kSettings, L"SetForeReg", REG_SZ, L"True", sizeof(L"True"));
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Brackwell"); }

    ComRun Execute(const ComEntry& entry, int failAt, std::int32_t number, const std::string& description) {
        ComRun run;
        const std::int64_t liveBefore = LiveFacadeObjects();
        const std::size_t boxesBefore = boxes_.Seen().size();
        {
            ComScene scene(window_, entry.dock);
            scene.book = scene.Reach({L"ActiveWorkbook"});
            scene.argument = scene.excel.App()->Workbooks()->Item(2);
            scene.excel.SetCallObserver([&](const embedded::HostCall& call) { run.members.emplace_back(call.member); });
            if (failAt > 0) scene.excel.FailCall(failAt, number, description);
            run.hr = entry.act(scene);
            PumpMessages();
            if (!scene.nav) run.paneOrBarLeft = window_.PaneTree() || scene.excel.FindCommandBar("BrackwellBar");
            scene.excel.SetCallObserver(nullptr);
            scene.excel.ClearFaults();
            run.sinkFailures = scene.excel.EventSinkFailures();
        }
        PumpMessages();
        run.liveAfter = LiveFacadeObjects() - liveBefore;
        run.canUnload = ServerDll::Get().DllCanUnloadNow();
        const auto seen = boxes_.Seen();
        run.boxes.assign(seen.begin() + static_cast<std::ptrdiff_t>(boxesBefore), seen.end());
        return run;
    }

    static constexpr const wchar_t* kSettings = L"Software\\VB and VBA Program Settings\\Brackwell\\Settings";
    static inline std::unique_ptr<RegisteredServer> server_;
    MessageBoxWatch boxes_;
    HostWindow window_;
};

// Where the first rebuild starts: reading the workbook count.
std::size_t FirstRebuildCall(const std::vector<std::string>& members) {
    for (std::size_t i = 0; i + 1 < members.size(); ++i) {
        if (members[i] == "Application.Workbooks" && members[i + 1] == "Workbooks.Count") return i;
    }
    return members.size();
}

std::string WrongStyle(Style style, bool inRebuild, const std::string& description, const ComRun& run) {
    const auto describe = [&] {
        std::string text = std::to_string(run.boxes.size()) + " box(es)";
        for (const auto& b : run.boxes) text += " [" + WideToUtf8(b.title) + " | " + WideToUtf8(b.text) + "]";
        return text;
    };
    if (inRebuild) {
        const bool standard = run.boxes.size() == 1 && run.boxes[0].title == L"Fehler" &&
                              WideToUtf8(run.boxes[0].text).find("Description: " + description) != std::string::npos;
        return standard ? "" : "expected the standard error box, got " + describe();
    }
    switch (style) {
    case Style::Skip: return run.boxes.empty() ? "" : "expected no message, got " + describe();
    case Style::NavBarBox:
        return run.boxes.size() == 1 && run.boxes[0].title.rfind(L"CreateNavBar ", 0) == 0
                   ? ""
                   : "expected one box titled CreateNavBar <line>, got " + describe();
    case Style::LinkBox:
        return run.boxes.size() == 1 && run.boxes[0].title == L"Fertig" &&
                       run.boxes[0].text == L"Desktopverknüpfung konnte nicht erstellt werden!"
                   ? ""
                   : "expected only the shortcut's failure box, got " + describe();
    }
    return "";
}

TEST_F(ComFaultSample, EveryMemberAndEventHoldsWhenTheHostFailsACallThroughTheFacade) {
    // Each failure under Wine costs a real message box: a sample, not all.
    constexpr int kPositionsPerEntry = 8;
    int entries = 0, runs = 0, escapes = 0, wrongStyles = 0, unbalanced = 0;
    std::vector<std::string> findings;
    const auto note = [&](int& counter, const std::string& what) {
        ++counter;
        if (findings.size() < 30) findings.push_back(what);
    };

    for (const ComEntry& entry : Entries()) {
        ++entries;
        const ComRun clean = Execute(entry, 0, 0, "");
        ASSERT_EQ(clean.hr, S_OK) << entry.name;
        ASSERT_EQ(clean.liveAfter, 0) << entry.name;
        ASSERT_FALSE(clean.paneOrBarLeft) << entry.name;
        const int calls = static_cast<int>(clean.members.size());
        const std::size_t rebuild = FirstRebuildCall(clean.members);
        // Every position of a short run; a spread of a long one, first and last included.
        const int stride = calls > kPositionsPerEntry ? (calls + kPositionsPerEntry - 1) / kPositionsPerEntry : 1;
        for (int n = 1; n <= calls; n = (n == calls || n + stride <= calls) ? n + stride : calls) {
            ++runs;
            const std::string description = "Eingeschleust bei Aufruf " + std::to_string(n);
            const ComRun run = Execute(entry, n, 1004, description);
            const std::string where = "[" + entry.name + "] call " + std::to_string(n) + " " + clean.members[n - 1] + ": ";
            if (run.hr != S_OK || run.sinkFailures != 0)
                note(escapes, where + "the failure reached the caller (" + std::to_string(run.hr) + ")");
            const std::string wrong =
                WrongStyle(entry.style, static_cast<std::size_t>(n - 1) >= rebuild, description, run);
            if (!wrong.empty()) note(wrongStyles, where + wrong);
            if (run.liveAfter != 0 || run.canUnload != S_OK)
                note(unbalanced, where + std::to_string(run.liveAfter) + " facade objects still held");
            if (n == calls) break;
        }
    }
    std::cout << "COM fault sample: " << entries << " members and events, " << runs
              << " runs through brackwell.dll with one failing host call\n  escapes " << escapes
              << ", wrong failure styles " << wrongStyles << ", references not given back " << unbalanced << "\n";
    for (const auto& finding : findings) std::cout << "  " << finding << "\n";
    EXPECT_GT(runs, 60);
    EXPECT_EQ(escapes, 0);
    EXPECT_EQ(wrongStyles, 0);
    EXPECT_EQ(unbalanced, 0);
}

}  // namespace
}  // namespace brackwell::win::test
