// The Names collection, Name, and the Range a name refers to as the host
// offers them.

#include "excel_standin/facade/excel_dispids.h"
#include "excel_standin/facade/facade_objects.h"
#include "excel_standin/facade/facade_type_info.h"
#include "adapters/windows/common/utf.h"

namespace brackwell::win {

namespace {

using K = MemberKind;

class NamesFacade final : public FacadeObject {
public:
    NamesFacade(FacadeContextPtr context, DefinedNamesPtr port)
        : FacadeObject(std::move(context), TypeInfoOf<NamesFacade>(excel::kNames, kMembers)),
          port_(std::move(port)) {}

private:
    // Unlike the other collections, Names.Item is a method: Item(Index,
    // IndexLocal, RefersTo), exactly one of them given.
    static constexpr MemberInfo kMembers[] = {
        {L"Count", dispid::kCount, K::Get, 0, 0},
        {L"Item", dispid::kItem, K::Method, 0, 3},
        {L"_Default", dispid::kDefault, K::Method, 0, 3},
    };

    Variant Get(DISPID id, const DispArgs& args) override {
        switch (id) {
        case dispid::kCount: return Variant::Int32(port_->Count());
        case dispid::kItem:
        case dispid::kDefault: {
            auto index = args.IndexOrName(0);
            args.RequireOmittedFrom(1);
            if (auto* position = std::get_if<std::int32_t>(&index))
                return Wrap(Context(), port_->Item(*position));
            return Wrap(Context(), ItemByName(std::get<std::string>(index)));
        }
        default: return {};
        }
    }

    // The port reaches names by position only; a name is looked for the way
    // the host compares names, without case.
    DefinedNamePtr ItemByName(const std::string& name) {
        const std::wstring wanted = Utf8ToWide(name);
        const std::int32_t count = port_->Count();
        for (std::int32_t i = 1; i <= count; ++i) {
            DefinedNamePtr candidate = port_->Item(i);
            const std::wstring text = Utf8ToWide(candidate->Name());
            if (CompareStringOrdinal(text.c_str(), static_cast<int>(text.size()), wanted.c_str(),
                                     static_cast<int>(wanted.size()), TRUE) == CSTR_EQUAL)
                return candidate;
        }
        Raise(err::kHost);
    }

    DefinedNamesPtr port_;
};

class NameFacade final : public FacadeObject {
public:
    NameFacade(FacadeContextPtr context, DefinedNamePtr port)
        : FacadeObject(std::move(context), TypeInfoOf<NameFacade>(excel::kName, kMembers)),
          port_(std::move(port)) {}

private:
    static constexpr MemberInfo kMembers[] = {
        {L"Name", dispid::kName, K::GetPut, 0, 0},
        {L"RefersTo", dispid::kRefersTo, K::Get, 0, 0},
        {L"Visible", dispid::kVisible, K::Get, 0, 0},
        {L"RefersToRange", dispid::kRefersToRange, K::Get, 0, 0},
        {L"Delete", dispid::kDelete, K::Method, 0, 0},
    };

    Variant Get(DISPID id, const DispArgs&) override {
        switch (id) {
        case dispid::kName: return Variant::Text(port_->Name());
        case dispid::kRefersTo: return Variant::Text(port_->RefersTo());
        case dispid::kVisible: return Variant::Bool(port_->Visible());
        case dispid::kRefersToRange: return Wrap(Context(), port_->RefersToRange());
        case dispid::kDelete: port_->Delete(); return {};
        default: return {};
        }
    }
    void Put(DISPID id, const DispArgs& args) override {
        if (id == dispid::kName) port_->SetName(args.Text(0));
    }

    DefinedNamePtr port_;
};

// Offers none of its members: a client only hands it back (Goto).
class RangeFacade final : public FacadeObject {
public:
    RangeFacade(FacadeContextPtr context, RangePtr port)
        : FacadeObject(std::move(context), TypeInfoOf<RangeFacade>(excel::kRange, {})), port_(std::move(port)) {}

    const RangePtr& Port() const noexcept { return port_; }

private:
    Variant Get(DISPID, const DispArgs&) override { return {}; }

    RangePtr port_;
};

}  // namespace

Variant Wrap(const FacadeContextPtr& context, const DefinedNamesPtr& port) {
    return FacadeResult<NamesFacade>(context, port);
}
Variant Wrap(const FacadeContextPtr& context, const DefinedNamePtr& port) {
    return FacadeResult<NameFacade>(context, port);
}
Variant Wrap(const FacadeContextPtr& context, const RangePtr& port) {
    return FacadeResult<RangeFacade>(context, port);
}

RangePtr PortRangeOf(IDispatch* object) noexcept {
    const RangeFacade* range = FacadeOf<RangeFacade>(object);
    return range ? range->Port() : RangePtr();
}

}  // namespace brackwell::win
