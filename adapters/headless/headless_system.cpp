#include "adapters/headless/headless_system.h"

#include "adapters/headless/ascii_case.h"
#include "adapters/shared/unicode_case.h"
#include "host/automation_error.h"

namespace brackwell::headless {

std::intptr_t HeadlessSystem::ShellExecuteFile(WindowHandle window, const std::string& operation,
                                               const std::string& file, const std::string& parameters,
                                               const std::string& directory, std::int32_t showCommand) {
    shellCalls_.push_back(ShellExecuteCall{window, operation, file, parameters, directory, showCommand, busy_});
    return kShellExecuteResult;
}

void HeadlessSystem::RunProgram(const std::string& path, std::int32_t windowStyle) {
    if (!FileExists(path)) Raise(err::kFileNotFound);
    programStarts_.push_back(ProgramStart{path, windowStyle});
}

bool HeadlessSystem::FileExists(const std::string& path) { return files_.count(FoldAscii(path)) > 0; }

void HeadlessSystem::SetBusyPointer(bool busy) {
    busy_ = busy;
    pointerChanges_.push_back(busy);
}

void HeadlessSystem::AddFile(const std::string& path) { files_.insert(FoldAscii(path)); }

std::string HeadlessSystem::UpperCase(const std::string& text) { return shared::UpperCaseText(text); }

}  // namespace brackwell::headless
