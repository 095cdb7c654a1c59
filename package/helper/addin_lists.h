#pragma once
// Excel's lists of the add-ins each version opens at start, for the add-in
// workbook of `install.cmd /vba`. Each Excel version keeps its list for the
// user under HKCU\Software\Microsoft\Office\<version>\Excel\Options as the
// values OPEN, OPEN1, OPEN2, ... numbered without a gap, each "/R" (read-only)
// and the add-in's path in quotes. Every version the user has started has
// such a key (Excel 2016 and later share 16.0; Excel 2007, 12.0, is the oldest
// that opens an .xlam); with none yet, the list of 16.0 is made. An entry is
// Brackwell's when its file is named Brackwell.xlam, wherever it lies (an
// older installation's, or an add-in saved by hand).
//
// Where an entry goes, the ones after it move down by one, as Excel itself
// closes the gap; every other add-in's entry keeps its type and its bytes.
// Either way the workbook leaves the list of add-ins the user unticked in
// Excel (its "Add-in Manager" key).

#include <string>

namespace brackwell::package {

// Brackwell's first entry now names `workbook`, or a new entry follows the
// others; any further Brackwell entries go. False when a list could not be written.
bool AddToAddinLists(const std::wstring& workbook);

// Every Brackwell entry goes.
bool RemoveFromAddinLists(const std::wstring& workbook);

}  // namespace brackwell::package
