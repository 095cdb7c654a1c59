#pragma once
// The frame of the IAccessible objects our own windows hand to screen
// readers (WM_GETOBJECT, OBJID_CLIENT): an object and its simple children
// (child ids 1..n), each answered through a few plain members that a
// derived class fills in. IDispatch is not offered beyond IAccessible
// itself; what a window shares with every other (its parent, its frame) is
// asked of the system's standard object for the window.
//
// A reader may keep the object after its window or control has gone:
// Disconnect() makes every member answer CO_E_OBJNOTCONNECTED from then on,
// and a child id that is no longer there answers E_INVALIDARG; nothing
// reaches the control's memory after it has gone.

#include <windows.h>

#include <oleacc.h>

#include <string>

#include "adapters/windows/common/com_object.h"

namespace brackwell::win {

class AccessibleObject : public ComObject<IAccessible> {
public:
    // `window`: the window whose client part this object is (or lies in).
    explicit AccessibleObject(HWND window);

    void Disconnect() noexcept { window_ = nullptr; }
    bool Connected() const noexcept { return window_ != nullptr; }

    // Answers WM_GETOBJECT for the client part with `object`; 0 for other parts.
    static LRESULT Answer(AccessibleObject* object, WPARAM wParam, LPARAM lParam);

    // IUnknown, IDispatch
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

protected:
    HWND Window() const noexcept { return window_; }
    // The system's object for the window's client part (may be empty).
    IAccessible* Standard();

    // Asked only while connected, with `id` 0 (the object) or 1..Count().
    virtual long Count() { return 0; }
    virtual std::wstring Name(long id) = 0;
    virtual std::wstring Value(long) { return {}; }
    virtual std::wstring Description(long) { return {}; }
    virtual long Role(long id) = 0;
    virtual long State(long id) = 0;
    virtual RECT Place(long id) = 0;  // screen pixels
    virtual std::wstring DefaultAction(long) { return {}; }
    // Does the default action later (posted), so that a reader's call
    // returns before whatever modal window it opens.
    virtual bool DoDefault(long) { return false; }
    virtual long FocusedId() { return -1; }  // -1: the focus is elsewhere
    virtual long IdAt(POINT) { return -1; }  // a child at that screen point, -1 none
    // A child that is an object of its own (its simple id still answers).
    virtual IDispatch* ChildObject(long) { return nullptr; }  // a new reference or null
    virtual IDispatch* ParentObject();                        // a new reference or null

    // The standard object's state and place of the window itself.
    long StandardState();
    RECT StandardPlace();

private:
    // CO_E_OBJNOTCONNECTED when gone, E_INVALIDARG for no such child; S_OK with its id.
    HRESULT Check(const VARIANT& child, long* id);
    // A child's role or state (`of`) as a VT_I4 answer.
    HRESULT ReturnNumber(const VARIANT& child, VARIANT* out, long (AccessibleObject::*of)(long));

    HWND window_;
    ComPtr<IAccessible> standard_;
    bool standardAsked_ = false;
};

// A BSTR for an [out] text; S_FALSE when the text is empty (none).
HRESULT ReturnText(const std::wstring& text, BSTR* out);

}  // namespace brackwell::win
