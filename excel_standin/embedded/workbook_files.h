#pragma once
// Where the embedded host's workbooks live on "disk": the host opens and saves
// through this interface. MemoryWorkbookFiles keeps them in memory for tests;
// the demo can plug in a reader and writer of real files.

#include <map>
#include <set>
#include <stdexcept>
#include <string>

#include "excel_standin/embedded/workbook_content.h"

namespace brackwell::embedded {

struct LoadedWorkbook {
    WorkbookContent content;
    bool readOnly = false;
};

// What a file store throws when a file is missing, unreadable or unwritable;
// the host turns it into its own error 1004.
class WorkbookFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class WorkbookFiles {
public:
    virtual ~WorkbookFiles() = default;
    virtual bool Exists(const std::string& path) = 0;
    // Throws WorkbookFileError (or any std::exception) when the file cannot be read.
    virtual LoadedWorkbook Load(const std::string& path) = 0;
    // Throws when the file cannot be written.
    virtual void Save(const std::string& path, const WorkbookContent& content) = 0;
};

// Files keyed by full path, compared ignoring case as Windows does.
class MemoryWorkbookFiles final : public WorkbookFiles {
public:
    bool Exists(const std::string& path) override;
    LoadedWorkbook Load(const std::string& path) override;
    void Save(const std::string& path, const WorkbookContent& content) override;

    void Put(const std::string& path, WorkbookContent content, bool readOnly = false);
    // The content last saved or put under `path`; throws WorkbookFileError when absent.
    const WorkbookContent& Get(const std::string& path) const;
    void Remove(const std::string& path);
    // The file exists but cannot be read (a damaged file).
    void MakeUnreadable(const std::string& path);
    // Saving to this path fails (a full disk, a locked file).
    void MakeUnwritable(const std::string& path);
    int SaveCount() const { return saveCount_; }

private:
    static std::string Key(const std::string& path);

    std::map<std::string, LoadedWorkbook> files_;
    std::set<std::string> unreadable_;
    std::set<std::string> unwritable_;
    int saveCount_ = 0;
};

}  // namespace brackwell::embedded
