// The accessible object of the transcript view, and the answer to WM_GETOBJECT with it.
#include "shell/controls/TranscriptAccessible.h"

#include <oleacc.h>

#include <atomic>
#include <string>

#include "platform/win32/SystemLibrary.h"

namespace {

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The standard client object with the role, state and value of read-only text; where the
// system has no standard object, it answers the rest itself. It reads the text through the
// window, so it outlives the view safely.
class ReadOnlyText final : public IAccessible {
 public:
  ReadOnlyText(HWND view, IAccessible* standard) : view_(view), standard_(standard) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (!object) return E_POINTER;
    if (id == IID_IUnknown || id == IID_IDispatch || id == IID_IAccessible) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_ ? standard_->GetTypeInfoCount(count) : Zero(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_ ? standard_->GetTypeInfo(index, locale, info) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_ ? standard_->GetIDsOfNames(id, names, count, locale, ids) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* wrong_argument) override {
    return standard_ ? standard_->Invoke(member, id, locale, flags, parameters, result, exception,
                                         wrong_argument)
                     : E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child)) return standard_ ? standard_->get_accRole(child, role) : Nothing(role);
    if (!role) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_TEXT;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!IsSelf(child)) return standard_ ? standard_->get_accState(child, state) : Nothing(state);
    if (!state) return E_POINTER;
    state->vt = VT_I4;
    state->lVal = STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE |
                  (GetFocus() == view_ ? STATE_SYSTEM_FOCUSED : 0) |
                  (IsWindowVisible(view_) ? 0 : STATE_SYSTEM_INVISIBLE);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (!IsSelf(child)) return standard_ ? standard_->get_accValue(child, value) : Nothing(value);
    if (!value) return E_POINTER;
    const auto length = static_cast<UINT>(SendMessageW(view_, WM_GETTEXTLENGTH, 0, 0));
    static const auto allocate =
        SystemFunction<decltype(SysAllocStringLen)>(L"oleaut32.dll", "SysAllocStringLen");
    *value = allocate ? allocate(nullptr, length) : nullptr;
    if (!*value) return E_OUTOFMEMORY;
    SendMessageW(view_, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(*value));
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_ ? standard_->get_accParent(parent) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_ ? standard_->get_accChildCount(count) : Zero(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_ ? standard_->get_accChild(child, object) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return standard_ ? standard_->get_accName(child, name) : Nothing(name);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_ ? standard_->get_accDescription(child, text) : Nothing(text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_ ? standard_->get_accHelp(child, help) : Nothing(help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_ ? standard_->get_accHelpTopic(file, child, topic) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_ ? standard_->get_accKeyboardShortcut(child, shortcut) : Nothing(shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_ ? standard_->get_accFocus(child) : Focus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_ ? standard_->get_accSelection(children) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_ ? standard_->get_accDefaultAction(child, action) : Nothing(action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_ ? standard_->accSelect(flags, child) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_ ? standard_->accLocation(left, top, width, height, child)
                     : Location(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_ ? standard_->accNavigate(direction, start, end) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return standard_ ? standard_->accHitTest(x, y, child) : HitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_ ? standard_->accDoDefaultAction(child) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~ReadOnlyText() {
    if (standard_) standard_->Release();
  }

  // What the object answers without the system's standard object.
  static HRESULT Zero(LONG* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  static HRESULT Zero(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  static HRESULT Nothing(BSTR* text) {
    if (!text) return E_POINTER;
    *text = nullptr;
    return S_FALSE;
  }
  static HRESULT Nothing(VARIANT* value) {
    if (!value) return E_POINTER;
    value->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT Location(LONG* left, LONG* top, LONG* width, LONG* height, const VARIANT& child) const {
    if (!left || !top || !width || !height) return E_POINTER;
    if (!IsSelf(child)) return E_INVALIDARG;
    RECT client{};
    GetClientRect(view_, &client);
    MapWindowPoints(view_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    *left = client.left, *top = client.top;
    *width = client.right - client.left, *height = client.bottom - client.top;
    return S_OK;
  }
  HRESULT HitTest(LONG x, LONG y, VARIANT* child) const {
    if (!child) return E_POINTER;
    RECT client{};
    GetClientRect(view_, &client);
    MapWindowPoints(view_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (!PtInRect(&client, POINT{x, y})) return Nothing(child);
    child->vt = VT_I4;
    child->lVal = CHILDID_SELF;
    return S_OK;
  }
  HRESULT Focus(VARIANT* child) const {
    if (GetFocus() != view_) return Nothing(child);
    child->vt = VT_I4;
    child->lVal = CHILDID_SELF;
    return S_OK;
  }

  HWND view_;
  IAccessible* standard_;
  std::atomic<ULONG> references_{1};
};

}  // namespace

namespace TranscriptAccessible {

// The accessibility library is loaded when another program first asks, not with the window.
IAccessible* Create(HWND view) {
  static const auto standard_object = SystemFunction<decltype(CreateStdAccessibleObject)>(
      L"oleacc.dll", "CreateStdAccessibleObject");
  // Some systems have no standard object for a window class of a program's own.
  IAccessible* standard = nullptr;
  if (!standard_object || FAILED(standard_object(view, OBJID_CLIENT, IID_IAccessible,
                                                 reinterpret_cast<void**>(&standard)))) {
    standard = nullptr;
  }
  return new ReadOnlyText(view, standard);
}

LRESULT Answer(HWND view, WPARAM flags) {
  static const auto answer_with =
      SystemFunction<decltype(LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
  if (!answer_with) return 0;
  IAccessible* object = Create(view);
  if (!object) return 0;
  const LRESULT answer = answer_with(IID_IAccessible, flags, object);
  object->Release();
  return answer > 0 ? answer : 0;
}

}  // namespace TranscriptAccessible
