#include "apps/console/tree_printer.h"

#include <cstdio>
#include <string>

namespace brackwell::apps {
namespace {

std::string ColourText(Color colour) {
    if (colour == kSystemWindowText) return "default";
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    return text;
}

// Pads to a width in characters, not bytes, so umlauts and CJK keep columns
// roughly aligned.
std::string Pad(const std::string& text, std::size_t width) {
    std::size_t characters = 0;
    for (unsigned char c : text) characters += (c & 0xC0) != 0x80;
    return characters >= width ? text + " " : text + std::string(width - characters, ' ');
}

}  // namespace

void PrintTree(std::ostream& out, const headless::HeadlessTree& tree) {
    for (const auto& node : tree.Model().DisplayOrder()) {
        const std::string indent(2 * static_cast<std::size_t>(node->Depth()), ' ');
        std::string flags;
        if (node->Bold()) flags += " bold";
        if (node->Open()) flags += " expanded";
        if (node->Selected()) flags += " selected";
        if (!tree.Model().IsShown(*node)) flags += " (collapsed)";
        out << Pad(indent + node->Key(), 8) << Pad(std::string(node->Text()), 42) << Pad(ColourText(node->ForeColor()), 9)
            << flags << '\n';
    }
}

}  // namespace brackwell::apps
