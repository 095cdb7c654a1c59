#include "excel_standin/embedded/workbook_files.h"

#include "excel_standin/embedded/unicode_text.h"

namespace brackwell::embedded {

std::string MemoryWorkbookFiles::Key(const std::string& path) {
    std::string key = FoldedKey(path);
    for (char& c : key) {
        if (c == '/') c = '\\';
    }
    return key;
}

bool MemoryWorkbookFiles::Exists(const std::string& path) {
    const std::string key = Key(path);
    return files_.count(key) != 0 || unreadable_.count(key) != 0;
}

LoadedWorkbook MemoryWorkbookFiles::Load(const std::string& path) {
    const std::string key = Key(path);
    if (unreadable_.count(key) != 0) throw WorkbookFileError("unreadable: " + path);
    auto it = files_.find(key);
    if (it == files_.end()) throw WorkbookFileError("not found: " + path);
    return it->second;
}

void MemoryWorkbookFiles::Save(const std::string& path, const WorkbookContent& content) {
    const std::string key = Key(path);
    if (unwritable_.count(key) != 0) throw WorkbookFileError("cannot write: " + path);
    files_[key] = LoadedWorkbook{content, false};
    unreadable_.erase(key);
    ++saveCount_;
}

void MemoryWorkbookFiles::Put(const std::string& path, WorkbookContent content, bool readOnly) {
    const std::string key = Key(path);
    files_[key] = LoadedWorkbook{std::move(content), readOnly};
    unreadable_.erase(key);
}

const WorkbookContent& MemoryWorkbookFiles::Get(const std::string& path) const {
    auto it = files_.find(Key(path));
    if (it == files_.end()) throw WorkbookFileError("not found: " + path);
    return it->second.content;
}

void MemoryWorkbookFiles::Remove(const std::string& path) {
    files_.erase(Key(path));
    unreadable_.erase(Key(path));
}

void MemoryWorkbookFiles::MakeUnreadable(const std::string& path) {
    files_.erase(Key(path));
    unreadable_.insert(Key(path));
}

void MemoryWorkbookFiles::MakeUnwritable(const std::string& path) { unwritable_.insert(Key(path)); }

}  // namespace brackwell::embedded
