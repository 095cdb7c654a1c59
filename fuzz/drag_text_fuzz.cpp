// Drag-and-drop text: whatever text another program drags in is dropped on
// every node and where there is no node, under each Drag setting. A drop
// either acts, does nothing or beeps; nothing leaves the component.

#include <cstddef>
#include <cstdint>
#include <string>

#include "adapters/headless/headless_data_object.h"
#include "fuzz/fuzz_support.h"
#include "tests/reliability/sweep_scene.h"

using namespace brackwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::string drag = std::to_string(1 + data[0] % 4);  // 4: a value that neither copies nor moves
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    reliability::Scene scene({drag, true});
    headless::HeadlessDataObject dropped(text);
    const int beepsBefore = scene.Ui().BeepCount();
    int drops = 0;
    for (const char* target : {"wb1", "wb1|1", "wb1|2", "wb1#1", "wb2", "wb2|2", ""}) {
        if (!scene.platform.NavForm()) break;
        if (*target && !scene.Tree().IsInView(target)) continue;
        scene.Menu().DismissNext();
        fuzz::MustHold("a drop", [&] {
            scene.Tree().Drop(dropped, *target ? scene.Tree().PointOf(target) : scene.Tree().EmptyPoint());
        });
        ++drops;
    }
    if (scene.Ui().BeepCount() - beepsBefore > drops) fuzz::Finding("more beeps than drops");
    if (scene.platform.HeadlessWindows().LockedWindow() != 0) fuzz::Finding("painting left frozen");
    if (scene.excel.EventSinkFailures() != 0) fuzz::Finding("a host event handler threw");
    for (const auto& box : scene.Ui().MessageBoxes())
        if (box.title == "Fehler") fuzz::Finding("a rebuild failed: " + box.prompt);
    return 0;
}
