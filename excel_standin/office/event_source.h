#pragma once
// The events of an Office object: IConnectionPointContainer with one
// connection point for one source dispinterface, living inside its owner
// and counting the owner's references. Advise wants a sink that answers
// QueryInterface for that dispinterface; Fire calls every advised sink's
// Invoke with DISPATCH_METHOD, arguments last to first.

#include <windows.h>

#include <ocidl.h>

#include <utility>
#include <vector>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/common/variant.h"

namespace brackwell::office {

class EventSource {
public:
    EventSource(IUnknown& owner, const IID& events) : container_(*this), point_(*this), owner_(owner), iid_(events) {}
    EventSource(const EventSource&) = delete;
    EventSource& operator=(const EventSource&) = delete;

    IConnectionPointContainer* Container() noexcept { return &container_; }
    // Arguments in declaration order. A sink's failure is its own.
    void Fire(DISPID id, const std::vector<win::Variant>& args) noexcept;
    void DropSinks() noexcept { sinks_.clear(); }
    std::size_t SinkCount() const noexcept { return sinks_.size(); }

private:
    class ContainerPart final : public IConnectionPointContainer {
    public:
        explicit ContainerPart(EventSource& source) : source_(source) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
            return source_.owner_.QueryInterface(iid, out);
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return source_.owner_.AddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return source_.owner_.Release(); }
        HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
        HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

    private:
        EventSource& source_;
    };

    class PointPart final : public IConnectionPoint {
    public:
        explicit PointPart(EventSource& source) : source_(source) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return source_.owner_.AddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return source_.owner_.Release(); }
        HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
        HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
        HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
        HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
        HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

    private:
        EventSource& source_;
    };

    ContainerPart container_;
    PointPart point_;
    IUnknown& owner_;
    IID iid_;
    std::vector<std::pair<DWORD, win::ComPtr<IDispatch>>> sinks_;
    DWORD nextCookie_ = 1;
};

}  // namespace brackwell::office
