#include "adapters/headless/headless_data_object.h"

#include "host/automation_error.h"

namespace brackwell::headless {

void HeadlessDataObject::Clear() { text_.reset(); }

void HeadlessDataObject::SetData(const std::string& value, std::int32_t format) {
    if (format != vb::kTextFormat) Raise(kInvalidClipboardFormat, "Ungültiges Format der Zwischenablage");
    text_ = value;
}

bool HeadlessDataObject::GetFormat(std::int32_t format) { return format == vb::kTextFormat && text_.has_value(); }

std::string HeadlessDataObject::GetData(std::int32_t format) {
    if (!GetFormat(format)) Raise(kFormatMismatch, "Angegebenes Format stimmt nicht mit dem Datenformat überein");
    return *text_;
}

}  // namespace brackwell::headless
