#include "excel_standin/office/event_source.h"

#include <olectl.h>

#include <algorithm>

#include "adapters/windows/common/hresult_error.h"
#include "excel_standin/facade/single_connection_point_enum.h"

namespace brackwell::office {

void EventSource::Fire(DISPID id, const std::vector<win::Variant>& args) noexcept {
    try {
        win::ComPtr<IUnknown> keepAlive(&owner_);  // a sink may release the owner's last reference
        std::vector<VARIANT> reversed(args.size());
        for (std::size_t i = 0; i < args.size(); ++i) reversed[args.size() - 1 - i] = args[i].Get();
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        const auto sinks = sinks_;  // a sink may unadvise while it is called
        for (const auto& [cookie, sink] : sinks) {
            const bool advised =
                std::any_of(sinks_.begin(), sinks_.end(), [&](const auto& s) { return s.first == cookie; });
            if (!advised) continue;
            win::ExcepInfo exception;
            UINT argError = 0;
            sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, exception.Receive(),
                         &argError);
        }
    } catch (...) {
    }
}

HRESULT STDMETHODCALLTYPE EventSource::ContainerPart::EnumConnectionPoints(IEnumConnectionPoints** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    try {
        *out = win::MakeComObject<win::SingleConnectionPointEnum>(win::ComPtr<IConnectionPoint>(&source_.point_))
                   .Detach();
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT STDMETHODCALLTYPE EventSource::ContainerPart::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, source_.iid_)) return CONNECT_E_NOCONNECTION;
    *out = win::ComPtr<IConnectionPoint>(&source_.point_).Detach();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EventSource::PointPart::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IConnectionPoint)) return E_NOINTERFACE;
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EventSource::PointPart::GetConnectionInterface(IID* iid) {
    if (iid == nullptr) return E_POINTER;
    *iid = source_.iid_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EventSource::PointPart::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (out == nullptr) return E_POINTER;
    *out = win::ComPtr<IConnectionPointContainer>(&source_.container_).Detach();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EventSource::PointPart::Advise(IUnknown* sink, DWORD* cookie) {
    if (sink == nullptr || cookie == nullptr) return E_POINTER;
    *cookie = 0;
    win::ComPtr<IDispatch> events;
    if (FAILED(sink->QueryInterface(source_.iid_, events.ReceiveVoid())) || !events) return CONNECT_E_CANNOTCONNECT;
    try {
        source_.sinks_.emplace_back(source_.nextCookie_, std::move(events));
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    *cookie = source_.nextCookie_++;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EventSource::PointPart::Unadvise(DWORD cookie) {
    const auto found = std::find_if(source_.sinks_.begin(), source_.sinks_.end(),
                                    [&](const auto& s) { return s.first == cookie; });
    if (found == source_.sinks_.end()) return CONNECT_E_NOCONNECTION;
    source_.sinks_.erase(found);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EventSource::PointPart::EnumConnections(IEnumConnections** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;  // allowed for connection points; nobody here lists sinks
}

}  // namespace brackwell::office
