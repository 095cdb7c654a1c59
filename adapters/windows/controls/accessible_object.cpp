#include "adapters/windows/controls/accessible_object.h"

namespace brackwell::win {
namespace {

void SetId(VARIANT* out, long id) {
    out->vt = VT_I4;
    out->lVal = id;
}

}  // namespace

HRESULT ReturnText(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = text.empty() ? nullptr : ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (text.empty()) return S_FALSE;
    return *out ? S_OK : E_OUTOFMEMORY;
}

AccessibleObject::AccessibleObject(HWND window) : window_(window) {}

LRESULT AccessibleObject::Answer(AccessibleObject* object, WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT) || !object) return 0;
    return ::LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
}

HRESULT AccessibleObject::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT AccessibleObject::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

IAccessible* AccessibleObject::Standard() {
    if (!standardAsked_ && window_) {
        standardAsked_ = true;
        ::CreateStdAccessibleObject(window_, OBJID_CLIENT, __uuidof(IAccessible), standard_.ReceiveVoid());
    }
    return window_ ? standard_.Get() : nullptr;
}

long AccessibleObject::StandardState() {
    VARIANT self{};
    SetId(&self, CHILDID_SELF);
    VARIANT state{};
    IAccessible* standard = Standard();
    if (standard && standard->get_accState(self, &state) == S_OK && state.vt == VT_I4) return state.lVal;
    long result = STATE_SYSTEM_FOCUSABLE;
    if (::GetFocus() == window_) result |= STATE_SYSTEM_FOCUSED;
    if (!::IsWindowVisible(window_)) result |= STATE_SYSTEM_INVISIBLE;
    return result;
}

RECT AccessibleObject::StandardPlace() {
    RECT r{};
    ::GetClientRect(window_, &r);
    ::MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

IDispatch* AccessibleObject::ParentObject() {
    IDispatch* parent = nullptr;
    if (IAccessible* standard = Standard()) standard->get_accParent(&parent);
    return parent;
}

HRESULT AccessibleObject::Check(const VARIANT& child, long* id) {
    if (!window_) return CO_E_OBJNOTCONNECTED;
    if (child.vt != VT_I4 || child.lVal < 0 || child.lVal > Count()) return E_INVALIDARG;
    *id = child.lVal;
    return S_OK;
}

HRESULT AccessibleObject::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!window_) return CO_E_OBJNOTCONNECTED;
    *parent = ParentObject();
    return *parent ? S_OK : S_FALSE;
}

HRESULT AccessibleObject::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    if (!window_) return CO_E_OBJNOTCONNECTED;
    *count = Count();
    return S_OK;
}

HRESULT AccessibleObject::get_accChild(VARIANT child, IDispatch** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    long id = 0;
    if (HRESULT hr = Check(child, &id); FAILED(hr)) return hr;
    if (id == CHILDID_SELF) return E_INVALIDARG;
    *object = ChildObject(id);
    return *object ? S_OK : S_FALSE;
}

HRESULT AccessibleObject::get_accName(VARIANT child, BSTR* name) {
    long id = 0;
    if (HRESULT hr = Check(child, &id); FAILED(hr)) return hr;
    return ReturnText(Name(id), name);
}

HRESULT AccessibleObject::get_accValue(VARIANT child, BSTR* value) {
    long id = 0;
    if (HRESULT hr = Check(child, &id); FAILED(hr)) return hr;
    return ReturnText(Value(id), value);
}

HRESULT AccessibleObject::get_accDescription(VARIANT child, BSTR* description) {
    long id = 0;
    if (HRESULT hr = Check(child, &id); FAILED(hr)) return hr;
    return ReturnText(Description(id), description);
}

HRESULT AccessibleObject::ReturnNumber(const VARIANT& child, VARIANT* out, long (AccessibleObject::*of)(long)) {
    if (!out) return E_POINTER;
    ::VariantInit(out);
    long id = 0;
    if (HRESULT hr = Check(child, &id); FAILED(hr)) return hr;
    SetId(out, (this->*of)(id));
    return S_OK;
}

HRESULT AccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
    return ReturnNumber(child, role, &AccessibleObject::Role);
}

HRESULT AccessibleObject::get_accState(VARIANT child, VARIANT* state) {
    return ReturnNumber(child, state, &AccessibleObject::State);
}

HRESULT AccessibleObject::get_accHelp(VARIANT child, BSTR* help) {
    long id = 0;
    if (HRESULT hr = Check(child, &id); FAILED(hr)) return hr;
    return ReturnText({}, help);
}

HRESULT AccessibleObject::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return window_ ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
}

HRESULT AccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    long id = 0;
    if (HRESULT hr = Check(child, &id); FAILED(hr)) return hr;
    return ReturnText({}, shortcut);
}

HRESULT AccessibleObject::get_accFocus(VARIANT* focus) {
    if (!focus) return E_POINTER;
    ::VariantInit(focus);
    if (!window_) return CO_E_OBJNOTCONNECTED;
    const long id = FocusedId();
    if (id < 0) return S_FALSE;
    SetId(focus, id);
    return S_OK;
}

HRESULT AccessibleObject::get_accSelection(VARIANT* selection) {
    if (!selection) return E_POINTER;
    ::VariantInit(selection);
    return window_ ? S_FALSE : CO_E_OBJNOTCONNECTED;
}

HRESULT AccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
    long id = 0;
    if (HRESULT hr = Check(child, &id); FAILED(hr)) return hr;
    return ReturnText(DefaultAction(id), action);
}

HRESULT AccessibleObject::accSelect(long flags, VARIANT child) {
    long id = 0;
    if (HRESULT hr = Check(child, &id); FAILED(hr)) return hr;
    if (id != CHILDID_SELF || flags != SELFLAG_TAKEFOCUS) return DISP_E_MEMBERNOTFOUND;
    ::SetFocus(window_);
    return S_OK;
}

HRESULT AccessibleObject::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    long id = 0;
    if (HRESULT hr = Check(child, &id); FAILED(hr)) return hr;
    const RECT r = Place(id);
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

HRESULT AccessibleObject::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!end) return E_POINTER;
    ::VariantInit(end);
    long id = 0;
    if (HRESULT hr = Check(start, &id); FAILED(hr)) return hr;
    long to = -1;
    const long count = Count();
    switch (direction) {
    case NAVDIR_FIRSTCHILD: to = id == CHILDID_SELF && count > 0 ? 1 : -1; break;
    case NAVDIR_LASTCHILD: to = id == CHILDID_SELF && count > 0 ? count : -1; break;
    case NAVDIR_NEXT:
    case NAVDIR_RIGHT: to = id != CHILDID_SELF && id < count ? id + 1 : -1; break;
    case NAVDIR_PREVIOUS:
    case NAVDIR_LEFT: to = id > 1 ? id - 1 : -1; break;
    default:
        if (id == CHILDID_SELF) {
            if (IAccessible* standard = Standard()) return standard->accNavigate(direction, start, end);
        }
        return S_FALSE;
    }
    if (to < 0) return S_FALSE;
    SetId(end, to);
    return S_OK;
}

HRESULT AccessibleObject::accHitTest(long x, long y, VARIANT* child) {
    if (!child) return E_POINTER;
    ::VariantInit(child);
    if (!window_) return CO_E_OBJNOTCONNECTED;
    const POINT at{x, y};
    const long id = IdAt(at);
    if (id > 0) {
        SetId(child, id);
        return S_OK;
    }
    const RECT self = Place(CHILDID_SELF);
    if (!::PtInRect(&self, at)) return S_FALSE;
    SetId(child, CHILDID_SELF);
    return S_OK;
}

HRESULT AccessibleObject::accDoDefaultAction(VARIANT child) {
    long id = 0;
    if (HRESULT hr = Check(child, &id); FAILED(hr)) return hr;
    return DoDefault(id) ? S_OK : DISP_E_MEMBERNOTFOUND;
}

}  // namespace brackwell::win
