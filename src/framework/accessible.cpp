#include "framework/accessible.h"

#include "framework/text.h"

#include <oleacc.h>

#include <new>

namespace qv::fw {
namespace {

// A UTF-8 text of the library as the UTF-16 string a screen reader reads.
BSTR ToBstr(const std::string& text) {
    const std::wstring wide = Widen(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

// The focus of the window's thread, asked from any thread.
bool HasFocus(HWND hwnd) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info) &&
           info.hwndFocus == hwnd;
}

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

VARIANT ChildVariant(long child) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = child;
    return v;
}

} // namespace

long AccessibleSource::AccessibleChildRole(int) const {
    return ROLE_SYSTEM_LISTITEM;
}

// Forwards to the standard object of the window, answering name, value and
// role from the source while it is attached.
class AccessibleProxy final : public IAccessible, public IOleWindow {
  public:
    AccessibleProxy(HWND hwnd, const AccessibleSource* source) : hwnd_(hwnd), source_(source) {
        void* inner = nullptr;
        if (SUCCEEDED(
                CreateStdAccessibleObject(hwnd, OBJID_CLIENT, __uuidof(IAccessible), &inner))) {
            inner_ = static_cast<IAccessible*>(inner);
        }
    }

    void Detach() {
        source_ = nullptr;
        if (inner_ != nullptr) {
            inner_->Release();
            inner_ = nullptr;
        }
        CoDisconnectObject(static_cast<IAccessible*>(this), 0);
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
        } else if (iid == __uuidof(IOleWindow)) {
            *object = static_cast<IOleWindow*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&refs_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) {
            if (inner_ != nullptr) {
                inner_->Release();
            }
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override {
        if (hwnd == nullptr) {
            return E_POINTER;
        }
        *hwnd = hwnd_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IDispatch: clients use the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible: what the control knows better.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (name != nullptr && IsItem(child)) {
            *name = ToBstr(source_->AccessibleChildName(child.lVal));
            return *name != nullptr ? S_OK : E_OUTOFMEMORY;
        }
        if (name != nullptr && IsSelf(child) && source_ != nullptr) {
            std::string text = source_->AccessibleName();
            if (!text.empty()) {
                *name = ToBstr(text);
                return *name != nullptr ? S_OK : E_OUTOFMEMORY;
            }
        }
        return Forward([&](IAccessible* a) { return a->get_accName(child, name); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (value != nullptr && IsItem(child)) {
            std::string text = source_->AccessibleChildValue(child.lVal);
            if (text.empty()) {
                *value = nullptr;
                return S_FALSE;
            }
            *value = ToBstr(text);
            return *value != nullptr ? S_OK : E_OUTOFMEMORY;
        }
        if (value != nullptr && IsSelf(child) && source_ != nullptr) {
            std::string text = source_->AccessibleValue();
            if (!text.empty() || source_->AnswersValue()) {
                *value = ToBstr(text);
                return *value != nullptr ? S_OK : E_OUTOFMEMORY;
            }
        }
        return Forward([&](IAccessible* a) { return a->get_accValue(child, value); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (role != nullptr && IsItem(child)) {
            VariantInit(role);
            role->vt = VT_I4;
            role->lVal = source_->AccessibleChildRole(child.lVal);
            return S_OK;
        }
        if (role != nullptr && IsSelf(child) && source_ != nullptr) {
            const long r = source_->AccessibleRole();
            if (r != 0) {
                VariantInit(role);
                role->vt = VT_I4;
                role->lVal = r;
                return S_OK;
            }
        }
        return Forward([&](IAccessible* a) { return a->get_accRole(child, role); });
    }

    // IAccessible: the standard object's answers.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return Forward([&](IAccessible* a) { return a->get_accParent(parent); });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (count != nullptr && Items() > 0) {
            *count = Items();
            return S_OK;
        }
        return Forward([&](IAccessible* a) { return a->get_accChildCount(count); });
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (object != nullptr && IsItem(child)) {
            *object = nullptr; // items are simple elements of this object
            return S_FALSE;
        }
        return Forward([&](IAccessible* a) { return a->get_accChild(child, object); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return Forward([&](IAccessible* a) { return a->get_accDescription(child, text); });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (state != nullptr && IsItem(child)) {
            long bits = source_->AccessibleChildState(child.lVal) | STATE_SYSTEM_SELECTABLE;
            if (child.lVal == source_->AccessibleFocusedChild()) {
                bits |= STATE_SYSTEM_FOCUSABLE;
                if (HasKeyboard()) {
                    bits |= STATE_SYSTEM_FOCUSED;
                }
            }
            VariantInit(state);
            state->vt = VT_I4;
            state->lVal = bits;
            return S_OK;
        }
        const HRESULT hr = Forward([&](IAccessible* a) { return a->get_accState(child, state); });
        if (state != nullptr && IsSelf(child) && source_ != nullptr) {
            const long extra = source_->AccessibleExtraState();
            if (extra != 0) {
                if (FAILED(hr) || state->vt != VT_I4) {
                    VariantInit(state);
                    state->vt = VT_I4;
                    state->lVal = 0;
                }
                state->lVal |= extra;
                return S_OK;
            }
        }
        return hr;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return Forward([&](IAccessible* a) { return a->get_accHelp(child, text); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return Forward([&](IAccessible* a) { return a->get_accHelpTopic(file, child, topic); });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
        return Forward([&](IAccessible* a) { return a->get_accKeyboardShortcut(child, text); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        if (child != nullptr && Items() > 0 && source_->AccessibleFocusedChild() > 0 &&
            HasKeyboard()) {
            *child = ChildVariant(source_->AccessibleFocusedChild());
            return S_OK;
        }
        return Forward([&](IAccessible* a) { return a->get_accFocus(child); });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        if (children != nullptr && Items() > 0) {
            VariantInit(children);
            for (long child = 1; child <= Items(); ++child) {
                if ((source_->AccessibleChildState(child) & STATE_SYSTEM_SELECTED) != 0) {
                    *children = ChildVariant(child);
                    return S_OK;
                }
            }
            return S_FALSE;
        }
        return Forward([&](IAccessible* a) { return a->get_accSelection(children); });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
        return Forward([&](IAccessible* a) { return a->get_accDefaultAction(child, text); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return Forward([&](IAccessible* a) { return a->accSelect(flags, child); });
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h,
                                          VARIANT child) override {
        if (x != nullptr && y != nullptr && w != nullptr && h != nullptr && IsItem(child)) {
            RECT r = source_->AccessibleChildRect(child.lVal);
            MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&r), 2);
            *x = r.left;
            *y = r.top;
            *w = r.right - r.left;
            *h = r.bottom - r.top;
            return S_OK;
        }
        return Forward([&](IAccessible* a) { return a->accLocation(x, y, w, h, child); });
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return Forward([&](IAccessible* a) { return a->accNavigate(direction, start, end); });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return Forward([&](IAccessible* a) { return a->accHitTest(x, y, child); });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return Forward([&](IAccessible* a) { return a->accDoDefaultAction(child); });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    long Items() const { return source_ != nullptr ? source_->AccessibleChildCount() : 0; }
    bool HasKeyboard() const {
        return source_ != nullptr && (source_->AccessibleTracksKeyboard() || HasFocus(hwnd_));
    }
    bool IsItem(const VARIANT& child) const {
        return child.vt == VT_I4 && child.lVal > 0 && child.lVal <= Items();
    }

    template <class Call> HRESULT Forward(Call call) {
        if (inner_ == nullptr) {
            return source_ == nullptr ? RPC_E_DISCONNECTED : E_NOTIMPL;
        }
        return call(inner_);
    }

    ~AccessibleProxy() = default;

    LONG refs_ = 1;
    HWND hwnd_;
    const AccessibleSource* source_;
    IAccessible* inner_ = nullptr;
};

AccessibleObject::AccessibleObject(const AccessibleSource& source) : source_(&source) {}

AccessibleObject::~AccessibleObject() {
    Detach();
}

LRESULT AccessibleObject::Answer(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || source_ == nullptr || hwnd == nullptr) {
        return 0;
    }
    if (proxy_ == nullptr) {
        proxy_ = new (std::nothrow) AccessibleProxy(hwnd, source_);
        if (proxy_ == nullptr) {
            return 0;
        }
    }
    LRESULT result =
        LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(proxy_));
    if (static_cast<HRESULT>(result) == CO_E_NOTINITIALIZED) {
        // Handing the object to a client needs COM on this thread: a host
        // that never started it gets it started here, when a client asks.
        if (SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
            result =
                LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(proxy_));
        }
    }
    return result > 0 ? result : 0;
}

void AccessibleObject::Detach() {
    source_ = nullptr;
    if (proxy_ != nullptr) {
        proxy_->Detach();
        proxy_->Release();
        proxy_ = nullptr;
    }
}

void NotifyAccessibleValue(HWND hwnd) {
    if (hwnd != nullptr) {
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
    }
}

void NotifyAccessibleName(HWND hwnd) {
    if (hwnd != nullptr) {
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
    }
}

void NotifyAccessibleFocus(HWND hwnd, int child) {
    if (hwnd != nullptr && child > 0) {
        NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd, OBJID_CLIENT, child);
    }
}

void NotifyAccessibleState(HWND hwnd, int child) {
    if (hwnd != nullptr) {
        NotifyWinEvent(EVENT_OBJECT_STATECHANGE, hwnd, OBJID_CLIENT,
                       child > 0 ? child : CHILDID_SELF);
    }
}

std::string SpokenLabel(const std::string& label) {
    std::string spoken;
    spoken.reserve(label.size());
    for (size_t i = 0; i < label.size(); ++i) {
        // A local label's access key in parentheses, "(&F)", is no word.
        if (label.compare(i, 2, "(&") == 0 && i + 3 < label.size() && label[i + 3] == ')' &&
            label[i + 2] != '&') {
            i += 3;
            continue;
        }
        if (label[i] == '&') {
            if (i + 1 < label.size() && label[i + 1] == '&') {
                spoken += '&';
                ++i;
            }
            continue;
        }
        spoken += label[i];
    }
    while (!spoken.empty() && (spoken.back() == ':' || spoken.back() == ' ')) {
        spoken.pop_back();
    }
    return spoken;
}

} // namespace qv::fw
