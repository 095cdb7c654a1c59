#pragma once
// A standard module as the VBA editor exports it (a .bas file): its first
// line names it (Attribute VB_Name = "mdlBrackwell"), the rest is its code.
// The project keeps the file's text whole, attribute line included, in code
// page 1252 with Windows line ends.

#include <string>
#include <string_view>

namespace brackwell::addin {

struct ModuleSource {
    std::string name;  // a VBA identifier, ASCII
    std::string text;  // code page 1252, every line ended by CR LF
};

// The module in a .bas file's text (UTF-8, any line ends). Throws
// ModuleTextError naming the line of a character the code page lacks, or the
// first line when it does not name the module.
ModuleSource ParseModuleSource(std::string_view fileText);

}  // namespace brackwell::addin
