#pragma once
// The mark of the web: Windows notes where a downloaded file came from in its
// Zone.Identifier stream, hands it on to the files unpacked from a marked zip
// and to their copies, and Office refuses to run the macros of a marked
// workbook. Removing the stream is what Explorer's "Zulassen" (Unblock) and
// PowerShell's Unblock-File do.

#include <string>

namespace brackwell::package {

// False when `file` keeps a mark that cannot be removed; a file without one,
// or on a file system without streams, has none to remove.
bool RemoveWebMark(const std::wstring& file);

}  // namespace brackwell::package
