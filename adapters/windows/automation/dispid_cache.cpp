#include "adapters/windows/automation/dispid_cache.h"

#include <cstring>
#include <cwchar>

#include "adapters/windows/common/host_constants.h"
#include "adapters/windows/common/hresult_error.h"

namespace brackwell::win {

namespace {

constexpr std::size_t kRememberedTypeInfos = 64;

// The object's type information, or nothing when it does not say.
ComPtr<ITypeInfo> TypeInfoOf(IDispatch* object) {
    UINT count = 0;
    ComPtr<ITypeInfo> type;
    if (FAILED(object->GetTypeInfoCount(&count)) || count == 0) return type;
    if (FAILED(object->GetTypeInfo(0, kHostLocale, type.Receive()))) type = {};
    return type;
}

// The GUID of a type, or GUID_NULL when it does not say.
GUID GuidOf(ITypeInfo* type) {
    TYPEATTR* attributes = nullptr;
    if (FAILED(type->GetTypeAttr(&attributes)) || attributes == nullptr) return GUID_NULL;
    const GUID guid = attributes->guid;
    type->ReleaseTypeAttr(attributes);
    return guid;
}

}  // namespace

DISPID DispIdTable::Resolve(IDispatch* object, const wchar_t* name) {
    for (const auto& [known, id] : ids_) {
        if (std::wcscmp(known.c_str(), name) == 0) return id;
    }
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};  // GetIDsOfNames only reads it
    DISPID id = DISPID_UNKNOWN;
    ThrowIfFailed(object->GetIDsOfNames(IID_NULL, names, 1, kHostLocale, &id));
    ids_.emplace_back(name, id);
    return id;
}

bool DispIdRegistry::GuidLess::operator()(const GUID& a, const GUID& b) const noexcept {
    return std::memcmp(&a, &b, sizeof(GUID)) < 0;
}

DispIdTable* DispIdRegistry::SharedTableFor(IDispatch* object) {
    const ComPtr<ITypeInfo> info = TypeInfoOf(object);
    if (!info) return nullptr;
    for (const auto& [known, table] : byTypeInfo_) {
        if (known.Get() == info.Get()) return table;
    }
    const GUID type = GuidOf(info.Get());
    if (IsEqualGUID(type, GUID_NULL)) return nullptr;
    auto& owned = byType_[type];
    if (!owned) owned = std::make_unique<DispIdTable>();
    DispIdTable* table = owned.get();
    // A host that made a new one each time would only fill the list.
    if (byTypeInfo_.size() < kRememberedTypeInfos) byTypeInfo_.emplace_back(info, table);
    return table;
}

}  // namespace brackwell::win
