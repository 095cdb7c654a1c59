#include "adapters/headless/headless_data_object.h"

#include "host/automation_error.h"

namespace brackwell::headless {
namespace {

constexpr std::int32_t kFormatNotFound = 461;

}  // namespace

void HeadlessDataObject::SetData(const std::string& value, std::int32_t format) {
    if (format != vb::kTextFormat) Raise(kFormatNotFound, "Angegebenes Format stimmt nicht mit dem Datenformat überein");
    text_ = value;
}

std::string HeadlessDataObject::GetData(std::int32_t format) {
    if (!GetFormat(format)) Raise(kFormatNotFound, "Angegebenes Format stimmt nicht mit dem Datenformat überein");
    return *text_;
}

}  // namespace brackwell::headless
