// The drop target of the real tree view fed awkward data objects the system
// made: no text, a huge text, an enter and leave, and calls after the tree
// is gone. A whole drag by real mouse input and text from another program
// through OLE's DoDragDrop are walked with the docked pane.

#include <gtest/gtest.h>

#include <string>
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
    std::string node;  // under the pointer
    bool hadText = false;
    std::string text;
    std::int32_t readError = 0;   // GetData's error number, at a drop
    std::int32_t writeError = 0;  // SetData's, at a drop
};

class DragSink final : public TreeEvents {
public:
    WinTreeView* tree = nullptr;

    void MouseDown(std::int16_t, std::int16_t, float, float) override {}
    void OLEStartDrag(DataObject&, std::int32_t&) override {}
    void OLEDragOver(DataObject& data, std::int32_t&, std::int16_t, std::int16_t, float x, float y,
                     std::int16_t state) override {
        Record(data, x, y, state);
    }
    void OLEDragDrop(DataObject& data, std::int32_t&, std::int16_t, std::int16_t, float x, float y) override {
        Record(data, x, y, kDropped);
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
    }

    std::vector<DragReport> reports;

private:
    void Record(DataObject& data, float x, float y, std::int16_t state) {
        DragReport r;
        r.state = state;
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

    std::unique_ptr<WinTreeView> tree_;
    DragSink sink_;
    std::unique_ptr<EventConnection> connection_;
};

TEST_F(TreeDragDropTest, AwkwardDataObjectsAreReadSafelyAndNothingIsKeptAfterwards) {
    const ComPtr<TreeDropTarget> target = tree_->DropTarget();
    ASSERT_TRUE(target);
    const POINT over = test::TreeLabelCentre(tree_->Handle(), L"\u58F2\u4E0A");
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
    EXPECT_EQ(sink_.reports.back().writeError, 672);  // the data belongs to the drag's start
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
