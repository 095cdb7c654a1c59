#include "apps/demo/open_file_names.h"

namespace brackwell::demo {

std::vector<std::wstring> SplitOpenFileNames(std::wstring_view buffer) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    while (start < buffer.size()) {
        const std::size_t end = buffer.find(L'\0', start);
        if (end == start) break;  // the empty string that ends the list
        parts.emplace_back(buffer.substr(start, end == std::wstring_view::npos ? end : end - start));
        if (end == std::wstring_view::npos) break;
        start = end + 1;
    }
    if (parts.size() <= 1) return parts;

    // A folder and its files; a drive root already ends with its separator.
    const std::wstring folder = parts.front();
    const bool separated = !folder.empty() && (folder.back() == L'\\' || folder.back() == L'/');
    std::vector<std::wstring> paths;
    for (std::size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + (separated ? L"" : L"\\") + parts[i]);
    return paths;
}

}  // namespace brackwell::demo
