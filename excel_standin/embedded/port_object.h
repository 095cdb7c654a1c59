#pragma once
// The base of every object the embedded host hands out through the ports.
// Each port member starts with Enter("Class.Method"): one line that counts
// the call, raises an injected failure, and fails with err::kDisconnected when
// the object belongs to a closed workbook, a deleted sheet or name, or a host
// that no longer lives.

#include <memory>
#include <string>
#include <string_view>

#include "host/excel.h"

namespace brackwell::embedded {

class HostCore;

class PortObject {
public:
    explicit PortObject(std::weak_ptr<HostCore> host) : host_(std::move(host)) {}
    virtual ~PortObject() = default;
    PortObject(const PortObject&) = delete;
    PortObject& operator=(const PortObject&) = delete;

protected:
    std::shared_ptr<HostCore> Enter(std::string_view member) const;
    // False once the object's workbook is closed or the object deleted.
    virtual bool Connected() const { return true; }
    // The workbook this object belongs to, for the gate's observer; none for
    // the application and its application-wide collections.
    virtual const Workbook* Subject() const { return nullptr; }
    // The sheet's or name's own name, for the same observer; "" for others.
    virtual std::string SubjectItem() const { return {}; }

    std::weak_ptr<HostCore> host_;
};

}  // namespace brackwell::embedded
