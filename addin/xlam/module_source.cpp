#include "addin/xlam/module_source.h"

#include <algorithm>
#include <cctype>

#include "addin/xlam/code_page_1252.h"

namespace brackwell::addin {

namespace {

constexpr std::string_view kNameAttribute = "Attribute VB_Name = \"";
constexpr std::size_t kMaxIdentifier = 31;

bool IsIdentifier(std::string_view name) {
    const auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    const auto part = [&](char c) { return letter(c) || std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '_'; };
    return !name.empty() && name.size() <= kMaxIdentifier && letter(name.front()) &&
           std::all_of(name.begin(), name.end(), part);
}

}  // namespace

ModuleSource ParseModuleSource(std::string_view fileText) {
    if (fileText.substr(0, 3) == "\xEF\xBB\xBF") fileText.remove_prefix(3);
    const std::string bytes = Utf8ToCodePage1252(fileText);

    ModuleSource module;
    module.text.reserve(bytes.size() + bytes.size() / 32);
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t end = bytes.find('\n', at);
        const bool ended = end != std::string::npos;
        if (!ended) end = bytes.size();
        std::string_view line(bytes.data() + at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        module.text.append(line);
        if (ended) module.text += "\r\n";
        at = end + 1;
    }

    const std::string_view first(module.text.data(), std::min(module.text.find("\r\n"), module.text.size()));
    if (first.size() > kNameAttribute.size() && first.substr(0, kNameAttribute.size()) == kNameAttribute &&
        first.back() == '"') {
        module.name = first.substr(kNameAttribute.size(), first.size() - kNameAttribute.size() - 1);
    }
    if (!IsIdentifier(module.name)) {
        throw ModuleTextError(1, "the first line must name the module: Attribute VB_Name = \"<name>\"");
    }
    return module;
}

}  // namespace brackwell::addin
