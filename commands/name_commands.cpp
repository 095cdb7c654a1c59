// The defined-name node's commands: go to, rename, delete.

#include <string>

#include "commands/node_commands.h"
#include "core/failure.h"

namespace brackwell::commands {
namespace {

// "Daten (Tabelle1!$A$1:$B$9)": the name and its reference without the "=".
std::string NameNodeText(DefinedName& name) {
    const std::string refersTo = name.RefersTo();
    std::size_t second = refersTo.empty() ? 0 : 1;
    while (second < refersTo.size() && (static_cast<unsigned char>(refersTo[second]) & 0xC0) == 0x80) ++second;
    return name.Name() + " (" + refersTo.substr(second) + ")";
}

}  // namespace

void GoToName(const ApplicationPtr& app, const NodeTargets& targets) {
    IgnoreFailure([&] { Require(app).Goto(Require(targets.name).RefersToRange()); });
}

void RenameName(const CommandContext& context, const NodeTargets& targets) {
    UserInterface& ui = context.component.platform.Ui();
    std::string current;
    std::string typed;
    IgnoreFailure([&] {
        current = Require(targets.name).Name();
        typed = ui.InputBox("Neuen Bereichsnamen:", "Bereich umbennen", current);
    });
    if (typed.empty() || typed == current) return;

    const bool accepted = IgnoreFailure([&] { targets.name->SetName(typed); });
    IgnoreFailure([&] { ui.DoEvents(); });
    if (accepted) IgnoreFailure([&] { Require(targets.node).SetText(NameNodeText(*targets.name)); });
}

void DeleteName(const CommandContext& context, const NodeTargets& targets) {
    // No question: the name and its node go at once.
    IgnoreFailure([&] { Require(targets.name).Delete(); });
    // A rebuild while the menu was open left the pressed node out of the
    // tree, and its last Index may belong to another node by now: only the
    // node itself, found under its key, is removed.
    IgnoreFailure([&] {
        TreeNodes& nodes = Require(context.tree).Nodes();
        const TreeNodePtr& node = targets.node;
        if (node && nodes.Item(node->Key()) == node) nodes.Remove(node->Index());
    });
}

}  // namespace brackwell::commands
