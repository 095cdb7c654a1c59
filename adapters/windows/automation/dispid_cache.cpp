#include "adapters/windows/automation/dispid_cache.h"

#include <cstring>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/common/host_constants.h"
#include "adapters/windows/common/hresult_error.h"

namespace brackwell::win {

namespace {

// The GUID of the object's type, or GUID_NULL when it does not say.
GUID TypeGuidOf(IDispatch* object) {
    UINT count = 0;
    if (FAILED(object->GetTypeInfoCount(&count)) || count == 0) return GUID_NULL;
    ComPtr<ITypeInfo> type;
    if (FAILED(object->GetTypeInfo(0, kHostLocale, type.Receive())) || !type) return GUID_NULL;
    TYPEATTR* attributes = nullptr;
    if (FAILED(type->GetTypeAttr(&attributes)) || attributes == nullptr) return GUID_NULL;
    const GUID guid = attributes->guid;
    type->ReleaseTypeAttr(attributes);
    return guid;
}

}  // namespace

DISPID DispIdTable::Resolve(IDispatch* object, const wchar_t* name) {
    if (auto found = ids_.find(name); found != ids_.end()) return found->second;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};  // GetIDsOfNames only reads it
    DISPID id = DISPID_UNKNOWN;
    ThrowIfFailed(object->GetIDsOfNames(IID_NULL, names, 1, kHostLocale, &id));
    ids_.emplace(name, id);
    return id;
}

bool DispIdRegistry::GuidLess::operator()(const GUID& a, const GUID& b) const noexcept {
    return std::memcmp(&a, &b, sizeof(GUID)) < 0;
}

std::shared_ptr<DispIdTable> DispIdRegistry::TableFor(IDispatch* object) {
    const GUID type = TypeGuidOf(object);
    if (IsEqualGUID(type, GUID_NULL)) return std::make_shared<DispIdTable>();
    auto& table = byType_[type];
    if (!table) table = std::make_shared<DispIdTable>();
    return table;
}

}  // namespace brackwell::win
