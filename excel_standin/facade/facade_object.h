#pragma once
// The base of every facade object: IDispatch over a table of members (name,
// DISPID, kind, argument count) that answers the way the host does.
//
// - Unknown names give DISP_E_UNKNOWNNAME, unknown DISPIDs and a member used
//   in a way it does not support DISP_E_MEMBERNOTFOUND.
// - Gets and methods accept DISPATCH_METHOD and DISPATCH_PROPERTYGET alike;
//   puts want DISPATCH_PROPERTYPUT.
// - Too few or too many arguments give DISP_E_BADPARAMCOUNT, except that a
//   property without parameters called with arguments hands them on to its
//   result's default member (wb.Worksheets(1), as VBScript writes it).
// - A value that does not convert gives DISP_E_TYPEMISMATCH with puArgErr.
// - A failure of the port gives DISP_E_EXCEPTION with an EXCEPINFO whose
//   scode is 0x800A0000 | number and whose source is "Microsoft Excel".

#include <windows.h>

#include <oaidl.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <typeinfo>

#include "adapters/windows/common/com_object.h"
#include "adapters/windows/common/variant.h"
#include "excel_standin/facade/dispatch_args.h"
#include "excel_standin/facade/live_objects.h"

namespace brackwell::win {

class FacadeContext;
class FacadeObject;
class FacadeTypeInfo;

// Lets the facade recognise its own objects when one comes back as an
// argument (the Before or After sheet of Copy and Move).
struct IFacadeObject : public IUnknown {
    virtual FacadeObject* STDMETHODCALLTYPE Self() = 0;
};
inline constexpr GUID kIidFacadeObject = {
    0xaa975c45, 0xa483, 0x4b4b, {0xa4, 0x42, 0xf1, 0x98, 0x5f, 0x02, 0x71, 0x00}};

enum class MemberKind {
    Get,     // read-only property
    GetPut,  // read-write property
    Put,     // property the port can only write
    Method,
};

struct MemberInfo {
    const wchar_t* name;
    DISPID id;
    MemberKind kind;
    UINT minArgs;
    UINT maxArgs;
};

class FacadeObject : public ComObject<IDispatch, IFacadeObject> {
public:
    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override;
    // IFacadeObject
    FacadeObject* STDMETHODCALLTYPE Self() override { return this; }

    // A new reference, unless the object is already being destroyed.
    ComPtr<IDispatch> TryShare() noexcept;
    IDispatch* AsDispatch() noexcept { return static_cast<IDispatch*>(this); }

    // Set by FacadeContext when the object is the facade of a port object.
    void SetIdentity(const void* port, const std::type_info* type) noexcept;

    // Facade objects come and go with every object a client reaches (each
    // worksheet and name of a tree rebuild): their memory goes round in a pool
    // of the process instead of through the heap each time.
    static void* operator new(std::size_t size);
    static void operator delete(void* object, std::size_t size) noexcept;

protected:
    // An object that gives no type information.
    FacadeObject(std::shared_ptr<FacadeContext> context, std::span<const MemberInfo> members);
    // An object of `type`, with its members.
    FacadeObject(std::shared_ptr<FacadeContext> context, FacadeTypeInfo& type);
    ~FacadeObject() override;

    // A get or a method call; the member and argument count are checked.
    virtual Variant Get(DISPID id, const DispArgs& args) = 0;
    // A put; the value is argument 0.
    virtual void Put(DISPID id, const DispArgs& args);
    // Further interfaces of the object (nullptr: none).
    virtual void* QueryExtra(REFIID iid) noexcept;

    const std::shared_ptr<FacadeContext>& Context() const noexcept { return context_; }

private:
    const MemberInfo* Find(DISPID id) const noexcept;
    HRESULT InvokeChecked(const MemberInfo& member, WORD flags, DISPPARAMS& params, VARIANT* result,
                          EXCEPINFO* exception, UINT* argError);

    LiveObjectToken alive_;
    std::shared_ptr<FacadeContext> context_;
    std::span<const MemberInfo> members_;
    FacadeTypeInfo* type_ = nullptr;
    const void* identityPort_ = nullptr;
    const std::type_info* identityType_ = nullptr;
};

}  // namespace brackwell::win
