// Node keys: ParseNodeKey on any text, and every place the component looks a
// key up: a node carrying the key is pressed (left and right), selected for
// the toolbar's commands, dragged and dropped on.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "host/automation_error.h"
#include "tests/reliability/sweep_scene.h"
#include "tree/node_key.h"

using namespace brackwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string key(reinterpret_cast<const char*>(data), size);

    try {
        std::int32_t number = -1;
        const std::int32_t kind = ParseNodeKey(key, number);
        if (kind < node_kind::kWorkbook || kind > node_kind::kDefinedName)
            fuzz::Finding("kind " + std::to_string(kind));
        // A key the tree builds reads back as built.
        if (kind == node_kind::kWorkbook) {
            std::int32_t again = -1;
            if (ParseNodeKey(WorkbookKey(number), again) != kind || again != number) fuzz::Finding("workbook key");
        }
    } catch (const AutomationError& e) {
        if (e.Number() != err::kTypeMismatch) fuzz::Finding("ParseNodeKey failed with " + std::to_string(e.Number()));
    }

    reliability::Scene scene({"2", true});
    // The key on a node of its own beside the workbooks, and under one.
    for (const char* parent : {"", "wb1"}) {
        try {
            scene.Tree().Nodes().Add(parent, *parent ? TreeRelationship::Child : TreeRelationship::Last, key, "Fuzz",
                                     2);
        } catch (const AutomationError&) {
            continue;  // the tree refuses the key (digits only, in use): nothing to press
        }
        if (!scene.Tree().IsInView(key)) continue;
        fuzz::MustHold("a left press", [&] { scene.Tree().Press(key, vb::kLeftButton); });
        fuzz::MustHold("a right press", [&] { scene.Tree().Press(key, vb::kRightButton); });
        for (const char* button : {"mnuSave", "mnuTabDel"}) {
            try {
                scene.Select(key);  // gone when a press rebuilt the tree
            } catch (const AutomationError&) {
                break;
            }
            fuzz::MustHold("a toolbar click", [&] { scene.Bar().Click(button); });
        }
        fuzz::MustHold("a drag", [&] {
            const auto data = scene.Tree().StartDrag(key);
            if (scene.Tree().IsInView("wb2")) scene.Tree().Drop(*data, scene.Tree().PointOf("wb2"));
        });
        fuzz::MustHold("a drop", [&] {
            const auto data = scene.Tree().StartDrag("wb2|1");
            if (scene.Tree().IsInView(key)) scene.Tree().Drop(*data, scene.Tree().PointOf(key));
        });
        if (scene.platform.HeadlessWindows().LockedWindow() != 0) fuzz::Finding("painting left frozen");
        if (scene.excel.EventSinkFailures() != 0) fuzz::Finding("a host event handler threw");
    }
    return 0;
}
