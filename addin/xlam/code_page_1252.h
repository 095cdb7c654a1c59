#pragma once
// Text for the VBA project, whose code page is 1252 (Western European): the
// module files are kept in UTF-8, the project stores each character as the
// one byte code page 1252 gives it.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brackwell::addin {

// A line of module text the project cannot hold: a character the code page
// lacks, bytes that are not UTF-8.
class ModuleTextError : public std::runtime_error {
public:
    ModuleTextError(std::size_t line, const std::string& what) : std::runtime_error(what), line_(line) {}
    // The line it is on, counted from 1.
    std::size_t Line() const noexcept { return line_; }

private:
    std::size_t line_;
};

// `utf8` in code page 1252. Throws ModuleTextError for the first character
// that has no place in it.
std::string Utf8ToCodePage1252(std::string_view utf8);

}  // namespace brackwell::addin
