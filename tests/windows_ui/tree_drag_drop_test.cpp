// OLE drag and drop of the real tree view: a whole drag inside the tree by
// real mouse input, text from outside arriving through OLE's DoDragDrop with
// a data object the system made (the clipboard's), and the drop target fed
// awkward data objects directly. The sink plays the handlers' part the way
// the navigator does (select on press, the key as drag data, the drop
// highlight following the pointer); what the handlers do with a drop is
// tested with the pane.

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "adapters/windows/controls/tree_view.h"
#include "host/automation_error.h"
#include "ui_test_support.h"

namespace brackwell::win {
namespace {

using namespace std::chrono_literals;

constexpr std::int16_t kDropped = -1;  // the state recorded for OLEDragDrop

struct DragReport {
    std::int16_t state = 0;  // 0 enter, 2 over, 1 leave, kDropped
    std::int32_t effect = 0;
    std::string node;  // under the pointer
    bool hadText = false;
    std::string text;
    std::int32_t readError = 0;   // GetData's error number, at a drop
    std::int32_t writeError = 0;  // SetData's, at a drop
};

class DragSink final : public TreeEvents {
public:
    WinTreeView* tree = nullptr;
    std::string target;  // the node whose hovering the test waits for

    void MouseDown(std::int16_t, std::int16_t, float x, float y) override {
        tree->SetSelectedItem(tree->HitTest(x, y));
        pressed = true;
    }
    void OLEStartDrag(DataObject& data, std::int32_t& allowedEffects) override {
        allowed = allowedEffects;
        data.Clear();
        if (const TreeNodePtr node = tree->SelectedItem()) data.SetData(node->Key(), vb::kTextFormat);
        ++starts;
    }
    void OLEDragOver(DataObject& data, std::int32_t& effect, std::int16_t, std::int16_t, float x, float y,
                     std::int16_t state) override {
        Record(data, effect, x, y, state);
        const TreeNodePtr node = state == vb::kLeaveState ? nullptr : tree->HitTest(x, y);
        tree->SetDropHighlight(node);
        if (node && node->Key() == target) {
            const HTREEITEM shown = TreeView_GetDropHilight(tree->Handle());
            if (shown && (TreeView_GetItemState(tree->Handle(), shown, TVIS_DROPHILITED) & TVIS_DROPHILITED)) {
                targetHighlighted = true;
            }
            overTarget = true;
        }
        if (state == vb::kLeaveState) left = true;
    }
    void OLEDragDrop(DataObject& data, std::int32_t& effect, std::int16_t, std::int16_t, float x, float y) override {
        Record(data, effect, x, y, kDropped);
        DragReport& drop = reports.back();
        try {
            data.GetData(vb::kTextFormat);
        } catch (const AutomationError& e) {
            drop.readError = e.Number();
        }
        try {
            data.SetData("wb9|9", vb::kTextFormat);
        } catch (const AutomationError& e) {
            drop.writeError = e.Number();
        }
        tree->SetDropHighlight(nullptr);
        dropped = true;
    }

    std::vector<DragReport> reports;
    std::int32_t allowed = 0;
    std::atomic<bool> pressed{false};
    std::atomic<int> starts{0};
    std::atomic<bool> overTarget{false};
    std::atomic<bool> targetHighlighted{false};
    std::atomic<bool> left{false};
    std::atomic<bool> dropped{false};

private:
    void Record(DataObject& data, std::int32_t effect, float x, float y, std::int16_t state) {
        DragReport r;
        r.state = state;
        r.effect = effect;
        if (const TreeNodePtr node = tree->HitTest(x, y)) r.node = node->Key();
        r.hadText = data.GetFormat(vb::kTextFormat);
        if (r.hadText) r.text = data.GetData(vb::kTextFormat);
        reports.push_back(r);
    }
};

// The references an object holds, asked the only way COM allows.
ULONG References(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

class TreeDragDropTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        tree_ = std::make_unique<WinTreeView>(test::Instance(), test::SharedHostWindow());
        tree_->Move(0, 0, 300 * 15, 200 * 15);
        tree_->SetOLEDragMode(1);
        tree_->SetOLEDropMode(1);
        TreeNodes& nodes = tree_->Nodes();
        nodes.Add("", TreeRelationship::Last, "wb1", "Mappe1.xls", 1);
        nodes.Add("wb1", TreeRelationship::Child, "wb1|1", "\xC3\x9C" "bersicht", 2);
        nodes.Add("wb1", TreeRelationship::Child, "wb1|2", "\xE5\xA3\xB2\xE4\xB8\x8A", 2);
        nodes.Add("wb1", TreeRelationship::Child, "wb1#1", "Daten (Tabelle1!$A$1:$B$9)", 3);
        nodes.Item("wb1")->SetExpanded(true);
        sink_.tree = tree_.get();
        connection_ = tree_->Advise(sink_);
        test::PumpFor(20ms);
    }
    void TearDown() override {
        connection_.reset();
        tree_.reset();
        ::OleUninitialize();
    }

    // The middle of a sheet's label, on the screen.
    POINT LabelCentre(const std::wstring& text) const { return test::TreeLabelCentre(tree_->Handle(), text); }

    bool AnyDropHighlight() const {
        const HWND tree = tree_->Handle();
        for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextVisible(tree, item)) {
            if (TreeView_GetItemState(tree, item, TVIS_DROPHILITED) & TVIS_DROPHILITED) return true;
        }
        return false;
    }

    // The states in the order they came, a run of "over" counted once.
    std::vector<std::int16_t> States() const {
        std::vector<std::int16_t> states;
        for (const DragReport& r : sink_.reports) {
            if (states.empty() || states.back() != r.state) states.push_back(r.state);
        }
        return states;
    }

    std::unique_ptr<WinTreeView> tree_;
    DragSink sink_;
    std::unique_ptr<EventConnection> connection_;
};

TEST_F(TreeDragDropTest, DraggingASheetNodeIsAnOleDragThatDropsOnTheNodeUnderThePointer) {
    const POINT from = LabelCentre(L"\u00DCbersicht");
    const POINT to = LabelCentre(L"\u58F2\u4E0A");
    sink_.target = "wb1|2";
    // A click first: it selects and starts no drag.
    test::MoveMouseTo(to);
    test::LeftButton(true);
    test::LeftButton(false);
    ASSERT_TRUE(test::PumpUntil([&] { return sink_.pressed.load(); }));
    test::PumpFor(30ms);
    EXPECT_EQ(sink_.starts, 0);
    EXPECT_EQ(tree_->SelectedItem()->Key(), "wb1|2");
    EXPECT_EQ(::GetFocus(), tree_->Handle());
    sink_.pressed = false;

    std::thread user([&] {
        test::MoveMouseTo(from);
        test::LeftButton(true);
        test::WaitFor([&] { return sink_.pressed.load(); });
        // Out of the control's drag rectangle a few pixels at a time, as a hand moves.
        for (int dx = 3; dx <= 12; dx += 3) test::MoveMouseTo(POINT{from.x + dx, from.y});
        test::WaitFor([&] { return sink_.starts.load() > 0; });
        test::MoveMouseTo(to);
        test::WaitFor([&] { return sink_.overTarget.load(); });
        test::LeftButton(false);
    });
    const bool dropped = test::PumpUntil([&] { return sink_.dropped.load(); }, 15s);
    user.join();

    ASSERT_TRUE(dropped);
    EXPECT_EQ(sink_.starts, 1);
    EXPECT_EQ(sink_.allowed, DROPEFFECT_COPY | DROPEFFECT_MOVE);
    ASSERT_FALSE(sink_.reports.empty());
    EXPECT_EQ(sink_.reports.front().state, 0);
    EXPECT_EQ(States().back(), kDropped);
    const DragReport& drop = sink_.reports.back();
    EXPECT_EQ(drop.node, "wb1|2");
    EXPECT_EQ(drop.text, "wb1|1");
    EXPECT_EQ(drop.effect, DROPEFFECT_MOVE);  // no Ctrl held
    EXPECT_EQ(drop.writeError, 672);          // the data belongs to the drag's start
    EXPECT_TRUE(sink_.targetHighlighted);     // the control's own drop highlight
    EXPECT_FALSE(AnyDropHighlight());
    EXPECT_EQ(tree_->SelectedItem()->Key(), "wb1|1");  // the press selected it, the drag left it so
}

TEST_F(TreeDragDropTest, TextFromAnotherProgramArrivesThroughOleWithEnterOverLeaveAndDrop) {
    const std::wstring text = L"\u00DCbersicht \u58F2\u4E0A";
    const ComPtr<IDataObject> data = test::SystemText(text);
    ASSERT_TRUE(data);
    const ULONG referencesBefore = References(data.Get());
    RECT bounds{};
    ::GetWindowRect(tree_->Handle(), &bounds);
    const POINT outside{bounds.right + 30, bounds.top + 20};  // the host window, which takes no drops
    const POINT first = LabelCentre(L"\u00DCbersicht");
    const POINT second = LabelCentre(L"\u58F2\u4E0A");
    sink_.target = "wb1|2";

    // Keys go where the focus is: in this program's window.
    ::SetForegroundWindow(test::SharedHostWindow());
    ::SetFocus(test::SharedHostWindow());
    std::atomic<bool> dragging{false};
    std::thread user([&] {
        test::MoveMouseTo(outside);
        test::LeftButton(true);
        test::WaitFor([&] { return dragging.load(); });
        test::MoveMouseTo(first);
        test::MoveMouseTo(second);
        test::WaitFor([&] { return sink_.overTarget.load(); });
        test::MoveMouseTo(outside);
        test::WaitFor([&] { return sink_.left.load(); });
        sink_.overTarget = false;
        test::Key(VK_CONTROL, true);
        test::MoveMouseTo(second);
        test::WaitFor([&] { return sink_.overTarget.load(); });
        test::LeftButton(false);
        test::WaitFor([&] { return sink_.dropped.load(); });
        test::Key(VK_CONTROL, false);
    });
    // OLE follows the button as this thread's input has it.
    test::PumpUntil([] { return ::GetKeyState(VK_LBUTTON) < 0; });
    dragging = true;
    DWORD effect = DROPEFFECT_NONE;
    const ComPtr<IDropSource> source = test::OtherProgramsDropSource();
    const HRESULT result = ::DoDragDrop(data.Get(), source.Get(), DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    user.join();

    EXPECT_EQ(result, DRAGDROP_S_DROP);
    EXPECT_EQ(States(), (std::vector<std::int16_t>{0, 2, 1, 0, 2, kDropped}));
    bool ctrlHeld = false;  // from the leave on
    for (const DragReport& r : sink_.reports) {
        EXPECT_TRUE(r.hadText);
        EXPECT_EQ(r.text, "\xC3\x9C" "bersicht \xE5\xA3\xB2\xE4\xB8\x8A");  // whole, as UTF-8
        ctrlHeld = ctrlHeld || r.state == vb::kLeaveState;
        // The usual effect offered: move, copy while Ctrl is held.
        if (r.state == 0 || r.state == 2) {
            EXPECT_EQ(r.effect, ctrlHeld ? DROPEFFECT_COPY : DROPEFFECT_MOVE);
        }
    }
    EXPECT_EQ(sink_.reports.back().node, "wb1|2");
    EXPECT_EQ(effect, static_cast<DWORD>(sink_.reports.back().effect));  // the drop's effect is the source's answer
    EXPECT_TRUE(sink_.targetHighlighted);
    EXPECT_FALSE(AnyDropHighlight());
    EXPECT_EQ(References(data.Get()), referencesBefore);  // the tree holds nothing of it
}

TEST_F(TreeDragDropTest, AwkwardDataObjectsAreReadSafelyAndNothingIsKeptAfterwards) {
    const ComPtr<TreeDropTarget> target = tree_->DropTarget();
    ASSERT_TRUE(target);
    const POINT over = LabelCentre(L"\u58F2\u4E0A");
    const POINTL at{over.x, over.y};
    const auto dropOn = [&](IDataObject* data) {
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        target->DragEnter(data, MK_LBUTTON, at, &effect);
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        target->Drop(data, 0, at, &effect);
        return effect;
    };

    // Another program's data without any text.
    const char otherBytes[] = "\x01\x02\x03";
    const ComPtr<IDataObject> noText =
        test::SystemDataObject(::RegisterClipboardFormatW(L"Brackwell.Test.Other"), otherBytes, sizeof otherBytes);
    ASSERT_TRUE(noText);
    const ULONG noTextReferences = References(noText.Get());
    EXPECT_EQ(dropOn(noText.Get()), static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_FALSE(sink_.reports.back().hadText);
    EXPECT_EQ(sink_.reports.back().readError, 461);
    EXPECT_EQ(sink_.reports.back().node, "wb1|2");
    EXPECT_EQ(References(noText.Get()), noTextReferences);

    // A huge text arrives whole; the handlers judge whether it is a key.
    const ComPtr<IDataObject> huge = test::SystemText(std::wstring(1'000'000, L'x'));
    ASSERT_TRUE(huge);
    const ULONG hugeReferences = References(huge.Get());
    dropOn(huge.Get());
    EXPECT_EQ(sink_.reports.back().text.size(), 1'000'000u);
    EXPECT_EQ(References(huge.Get()), hugeReferences);

    // Entering and leaving again lets go of the data too.
    DWORD effect = DROPEFFECT_COPY;
    target->DragEnter(huge.Get(), MK_LBUTTON | MK_CONTROL, at, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    target->DragLeave();
    EXPECT_EQ(sink_.reports.back().state, vb::kLeaveState);
    EXPECT_EQ(References(huge.Get()), hugeReferences);

    // When the tree goes, OLE and the tree let go of the target, which
    // answers any late call with "no drop" and raises nothing.
    const size_t reported = sink_.reports.size();
    tree_.reset();
    EXPECT_EQ(References(target.Get()), 1u);  // this test's own reference
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragEnter(huge.Get(), MK_LBUTTON, at, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(sink_.reports.size(), reported);
    EXPECT_EQ(References(huge.Get()), hugeReferences);
}

}  // namespace
}  // namespace brackwell::win
