// The fault sweep: every entry point of the component runs once on the fixed
// scene, its host calls counted; then once more for every position N of that
// run, with the Nth host call failing. Each faulty run must let no failure
// out, fail in its routine's own style, leave painting unfrozen and change
// nothing in the host that a call which went through does not explain.

#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/reliability/entry_points.h"
#include "tests/reliability/host_state.h"

namespace brackwell::reliability {
namespace {

struct Fault {
    int position = 0;  // 1-based among the run's host calls
    std::int32_t number = 0;
    std::string description;
};

// The failures the sweep injects, in turn: the host's own error, a
// disconnected object, a missing item, a wrong type, and a method the
// object lacks.
Fault FaultAt(int position) {
    static const std::vector<std::pair<std::int32_t, std::string>> kFailures = {
        {1004, "Anwendungs- oder objektdefinierter Fehler"},
        {err::kDisconnected, "Automatisierungsfehler"},
        {9, "Index außerhalb des gültigen Bereichs"},
        {13, "Typen unverträglich"},
        {438, "Objekt unterstützt diese Eigenschaft oder Methode nicht"},
    };
    const auto& [number, text] = kFailures[static_cast<std::size_t>(position) % kFailures.size()];
    return {position, number, text + " (Aufruf " + std::to_string(position) + ")"};
}

struct CallRecord {
    std::string member;
    const Workbook* workbook = nullptr;
    std::string item;
    bool frozen = false;     // the pane's painting was frozen: a rebuild is running
    bool inHandler = false;  // a host event handler of the navigator is running
    int lockCalls = 0;       // freezes so far
};

struct RunResult {
    std::vector<CallRecord> calls;
    int lockCallsAtEnd = 0;
    std::optional<std::string> escape;
    std::vector<headless::MessageBoxShown> boxes;
    int beeps = 0;
    bool frozenAtEnd = false;
    HostState before;
    HostState after;
    std::vector<std::string> scriptErrors;
};

RunResult Execute(const EntryPoint& entry, const std::optional<Fault>& fault) {
    RunResult run;
    Scene scene(entry.setup);
    if (entry.prepare) entry.prepare(scene);
    run.before = HostState::Read(scene.excel);

    auto& ui = scene.Ui();
    auto& windows = scene.platform.HeadlessWindows();
    const std::size_t boxesBefore = ui.MessageBoxes().size();
    const int beepsBefore = ui.BeepCount();
    const std::size_t sinkFailuresBefore = scene.excel.EventSinkFailures();
    scene.excel.SetCallObserver([&](const embedded::HostCall& call) {
        run.calls.push_back({std::string(call.member), call.workbook, std::string(call.item),
                             windows.LockedWindow() != 0, scene.probe.InHandler(), windows.LockCalls()});
    });
    if (fault) scene.excel.FailCall(fault->position, fault->number, fault->description);

    try {
        entry.act(scene);
    } catch (const std::exception& e) {
        run.escape = e.what();
    } catch (...) {
        run.escape = "a failure of unknown type";
    }
    scene.excel.SetCallObserver(nullptr);
    scene.excel.ClearFaults();
    if (!run.escape && scene.excel.EventSinkFailures() != sinkFailuresBefore) run.escape = "a host event handler threw";

    run.lockCallsAtEnd = windows.LockCalls();
    run.boxes.assign(ui.MessageBoxes().begin() + static_cast<std::ptrdiff_t>(boxesBefore), ui.MessageBoxes().end());
    run.beeps = ui.BeepCount() - beepsBefore;
    run.frozenAtEnd = windows.LockedWindow() != 0 || (scene.platform.NavForm() && scene.Tree().UpdateDepth() != 0);
    run.after = HostState::Read(scene.excel);
    run.scriptErrors = scene.Menu().ScriptErrors();
    for (const auto& e : scene.platform.DialogUser().ScriptErrors()) run.scriptErrors.push_back(e);
    return run;
}

// Whether call i (0-based) of a fault-free run belongs to a tree rebuild:
// from reading the workbook count (the two calls just before the pane's
// painting is frozen) until painting is unfrozen.
bool InRebuild(const RunResult& run, std::size_t i) {
    const auto& calls = run.calls;
    if (calls[i].frozen) return true;
    const auto freezesAfter = [&](std::size_t k) {
        const int next = k + 1 < calls.size() ? calls[k + 1].lockCalls : run.lockCallsAtEnd;
        return next > calls[k].lockCalls;
    };
    if (calls[i].member == "Workbooks.Count") return freezesAfter(i);
    if (calls[i].member == "Application.Workbooks" && i + 1 < calls.size() && calls[i + 1].member == "Workbooks.Count")
        return freezesAfter(i + 1);
    return false;
}

bool SameBox(const headless::MessageBoxShown& a, const headless::MessageBoxShown& b) {
    return a.prompt == b.prompt && a.style == b.style && a.title == b.title;
}

// The boxes of `faulty` that are not, in order, boxes of the fault-free run.
std::vector<headless::MessageBoxShown> ExtraBoxes(const std::vector<headless::MessageBoxShown>& faulty,
                                                  const std::vector<headless::MessageBoxShown>& clean) {
    std::vector<headless::MessageBoxShown> extra;
    std::size_t j = 0;
    for (const auto& box : faulty) {
        if (j < clean.size() && SameBox(box, clean[j])) {
            ++j;
        } else {
            extra.push_back(box);
        }
    }
    return extra;
}

std::string Describe(const std::vector<headless::MessageBoxShown>& boxes) {
    std::ostringstream out;
    out << boxes.size() << " box(es)";
    for (const auto& b : boxes) out << " [" << b.title << " | " << b.style << " | " << b.prompt << "]";
    return out.str();
}

// What is wrong with the failure style of a faulty run; empty when right.
// Calls inside a host event handler fail in the handler's style.
std::string WrongStyle(FailureStyle style, bool inHandler, bool inRebuild, const Fault& fault, const RunResult& clean,
                       const RunResult& run) {
    const auto extra = ExtraBoxes(run.boxes, clean.boxes);
    if (inRebuild) {
        static const std::regex line("\\d+");
        const std::string head =
            "Number: " + std::to_string(fault.number) + "\r\nDescription: " + fault.description + "\r\nZeile: ";
        const bool standardBox = extra.size() == 1 && extra[0].title == "Fehler" && extra[0].style == 0 &&
                                 extra[0].prompt.rfind(head, 0) == 0 &&
                                 std::regex_match(extra[0].prompt.substr(head.size()), line);
        if (!standardBox) return "expected the standard error box, got " + Describe(extra);
        if (run.beeps != clean.beeps) return "a rebuild's failure beeped";
        return "";
    }
    switch (inHandler ? FailureStyle::Skip : style) {
        case FailureStyle::Skip:
            if (!extra.empty()) return "expected no message, got " + Describe(extra);
            if (run.beeps != clean.beeps) return "expected no beep";
            return "";
        case FailureStyle::NavBarBox: {
            static const std::regex title("CreateNavBar \\d+");
            if (extra.size() != 1 || !std::regex_match(extra[0].title, title) || extra[0].style != 0 ||
                extra[0].prompt.empty())
                return "expected one box titled CreateNavBar <line>, got " + Describe(extra);
            return "";
        }
        case FailureStyle::NavBarBoxOrSkip: {
            static const std::regex title("CreateNavBar \\d+");
            if (extra.size() > 1 || (extra.size() == 1 && (!std::regex_match(extra[0].title, title) ||
                                                            extra[0].style != 0 || extra[0].prompt.empty())))
                return "expected nothing or one box titled CreateNavBar <line>, got " + Describe(extra);
            if (run.beeps != clean.beeps) return "expected no beep";
            return "";
        }
        case FailureStyle::LinkBox:
            if (run.boxes.size() != 1 || run.boxes[0].prompt != "Desktopverknüpfung konnte nicht erstellt werden!" ||
                run.boxes[0].style != 48 || run.boxes[0].title != "Fertig")
                return "expected only the shortcut's failure box, got " + Describe(run.boxes);
            return "";
        case FailureStyle::Beep:
            if (!extra.empty()) return "expected no message, got " + Describe(extra);
            if (run.beeps != 1) return "expected one beep, got " + std::to_string(run.beeps);
            return "";
    }
    return "";
}

// The calls of a run that change the host, the injected one left out, each
// named by its member and the workbook it was made on (by the workbook's
// name before the run, "neu" for one made during it).
std::vector<MadeCall> ChangingCalls(const RunResult& run, int failedPosition) {
    std::vector<MadeCall> made;
    for (std::size_t i = 0; i < run.calls.size(); ++i) {
        if (static_cast<int>(i) + 1 == failedPosition) continue;
        if (ChangesHostState(run.calls[i].member))
            made.push_back({run.calls[i].member, run.calls[i].workbook, run.calls[i].item});
    }
    return made;
}

std::string Label(const RunResult& run, const MadeCall& call) {
    const WorkbookState* wb = run.before.Find(call.workbook);
    return call.member + " on " + (wb ? wb->name : call.workbook ? "neu" : "Application") + "!" + call.item;
}

// The calls of `made` that the fault-free run makes too (on the same
// workbook, as often): a fault may make a command skip steps, never take
// one of its own.
std::vector<MadeCall> AlsoMadeWithoutFault(const RunResult& run, const std::vector<MadeCall>& made,
                                           const RunResult& clean) {
    std::map<std::string, int> budget;
    for (const MadeCall& c : ChangingCalls(clean, 0)) ++budget[Label(clean, c)];
    std::vector<MadeCall> kept;
    for (const MadeCall& c : made) {
        if (budget[Label(run, c)]-- > 0) kept.push_back(c);
    }
    return kept;
}

struct Totals {
    int entryPoints = 0;
    int runs = 0;
    int escapes = 0;
    int wrongStyles = 0;
    int leftFrozen = 0;
    int unexplainedChanges = 0;
    int sweepDefects = 0;  // a scene or script that does not do what it says
    std::vector<std::string> findings;

    void Note(int& counter, const std::string& what) {
        ++counter;
        if (findings.size() < 40) findings.push_back(what);
    }
};

void SweepEntryPoint(const EntryPoint& entry, Totals& totals) {
    ++totals.entryPoints;
    const RunResult clean = Execute(entry, std::nullopt);
    const std::string name = "[" + entry.name + "]";
    if (clean.escape) totals.Note(totals.escapes, name + " without a fault: " + *clean.escape);
    if (!clean.scriptErrors.empty()) totals.Note(totals.sweepDefects, name + " script: " + clean.scriptErrors.front());
    if (clean.frozenAtEnd) totals.Note(totals.leftFrozen, name + " without a fault");
    for (const auto& box : clean.boxes) {
        if (box.title == "Fehler" || box.title.rfind("CreateNavBar", 0) == 0)
            totals.Note(totals.sweepDefects, name + " reports a failure without a fault: " + box.prompt);
    }

    for (int n = 1; n <= static_cast<int>(clean.calls.size()); ++n) {
        ++totals.runs;
        const Fault fault = FaultAt(n);
        const RunResult run = Execute(entry, fault);
        const std::string where = name + " call " + std::to_string(n) + " " + clean.calls[n - 1].member + ": ";
        if (static_cast<int>(run.calls.size()) < n || run.calls[n - 1].member != clean.calls[n - 1].member) {
            totals.Note(totals.sweepDefects, where + "the run went differently before the fault");
            continue;
        }
        if (run.escape) totals.Note(totals.escapes, where + *run.escape);
        const std::string wrong =
            WrongStyle(entry.style, clean.calls[n - 1].inHandler, InRebuild(clean, n - 1), fault, clean, run);
        if (!wrong.empty()) totals.Note(totals.wrongStyles, where + wrong);
        if (run.frozenAtEnd) totals.Note(totals.leftFrozen, where + "painting left frozen");

        const auto made = AlsoMadeWithoutFault(run, ChangingCalls(run, n), clean);
        for (const std::string& change : UnexplainedChanges(run.before, run.after, made))
            totals.Note(totals.unexplainedChanges, where + change);
    }
}

TEST(FaultSweep, EveryEntryPointHoldsUnderEveryFailingHostCall) {
    Totals totals;
    for (const EntryPoint& entry : AllEntryPoints()) SweepEntryPoint(entry, totals);

    std::cout << "fault sweep: " << totals.entryPoints << " entry points, " << totals.runs
              << " runs with one failing host call\n"
              << "  escapes " << totals.escapes << ", wrong failure styles " << totals.wrongStyles
              << ", painting left frozen " << totals.leftFrozen
              << ",\n  host changes no call of the fault-free run explains " << totals.unexplainedChanges
              << ", sweep defects " << totals.sweepDefects << "\n";
    for (const std::string& finding : totals.findings) std::cout << "  " << finding << "\n";

    EXPECT_GT(totals.runs, 1000);
    EXPECT_EQ(totals.escapes, 0);
    EXPECT_EQ(totals.wrongStyles, 0);
    EXPECT_EQ(totals.leftFrozen, 0);
    EXPECT_EQ(totals.unexplainedChanges, 0);
    EXPECT_EQ(totals.sweepDefects, 0);
}

}  // namespace
}  // namespace brackwell::reliability
