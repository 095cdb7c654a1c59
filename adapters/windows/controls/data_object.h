#pragma once
// The tree's DataObject over an OLE data object, for the three drag events.
// Text (format 1) is read as CF_UNICODETEXT, or CF_TEXT where a source
// offers only that, and crosses the port as UTF-8. Only the data object of a
// drag that starts in the tree can be written, and only while its
// OLEStartDrag runs; the one a drop target is handed belongs to the source.

#include <windows.h>

#include <objidl.h>

#include <cstdint>
#include <string>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/controls/text_data_object.h"
#include "host/tree_view.h"

namespace brackwell::win {

class WinDataObject final : public DataObject {
public:
    // Reads `data`; holds a reference for as long as the event runs.
    explicit WinDataObject(ComPtr<IDataObject> data);
    // Reads and writes the text object of a drag that starts here.
    explicit WinDataObject(ComPtr<TextDataObject> own);

    // Writing a data object that is not writable fails with error 672, a
    // format other than text with error 461, as for the control.
    void Clear() override;
    void SetData(const std::string& value, std::int32_t format) override;
    // Format 1: text in either form; other numbers are clipboard formats.
    bool GetFormat(std::int32_t format) override;
    // Fails with error 461 when the data object holds no text.
    std::string GetData(std::int32_t format) override;

private:
    TextDataObject& Writable();

    ComPtr<IDataObject> data_;
    ComPtr<TextDataObject> own_;
};

}  // namespace brackwell::win
