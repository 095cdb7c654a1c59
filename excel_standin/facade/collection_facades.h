#pragma once
// What the host's collections have in common, for the facades that show
// them: Item by position or by name, For Each over the items, and the whole
// facade of a collection that offers no more than Count and Item by position.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "excel_standin/facade/excel_dispids.h"
#include "excel_standin/facade/facade_objects.h"
#include "excel_standin/facade/facade_type_info.h"

namespace brackwell::win {

// Item(Index) of a collection the port reaches by position and by name.
template <class Port>
Variant ItemByPositionOrName(const FacadeContextPtr& context, Port& port, const DispArgs& args) {
    auto index = args.IndexOrName(0);
    if (auto* position = std::get_if<std::int32_t>(&index)) return Wrap(context, port.Item(*position));
    return Wrap(context, port.ItemByName(std::get<std::string>(index)));
}

// _NewEnum: an enumerator over the facades of `items`.
template <class Item>
Variant EnumeratorOver(const FacadeContextPtr& context, const std::vector<std::shared_ptr<Item>>& items) {
    std::vector<Variant> facades;
    for (const auto& item : items) facades.push_back(Wrap(context, item));
    return Variant::Unknown(ComPtr<IUnknown>(MakeVariantEnumerator(std::move(facades)).Get()));
}

// A collection with Count and Item by position, _Default being Item
// (Windows, RecentFiles), of the host's interface `declared`.
template <class Port, const excel::Interface& declared>
class PositionalCollectionFacade final : public FacadeObject {
public:
    PositionalCollectionFacade(FacadeContextPtr context, std::shared_ptr<Port> port)
        : FacadeObject(std::move(context), TypeInfoOf<PositionalCollectionFacade>(declared, kMembers)),
          port_(std::move(port)) {}

private:
    static constexpr MemberInfo kMembers[] = {
        {L"Count", dispid::kCount, MemberKind::Get, 0, 0},
        {L"Item", dispid::kItem, MemberKind::Get, 1, 1},
        {L"_Default", dispid::kDefault, MemberKind::Get, 1, 1},
    };

    Variant Get(DISPID id, const DispArgs& args) override {
        switch (id) {
        case dispid::kCount: return Variant::Int32(port_->Count());
        case dispid::kItem:
        case dispid::kDefault: return Wrap(Context(), port_->Item(args.Int(0)));
        default: return {};
        }
    }

    std::shared_ptr<Port> port_;
};

}  // namespace brackwell::win
