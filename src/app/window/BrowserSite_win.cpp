#include "app/window/BrowserSite_win.h"

// The OLE and browser headers need the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <ole2.h>
#include <oleidl.h>
#include <exdisp.h>
#include <mshtmhst.h>
// clang-format on

#include <atomic>
#include <string>

#include "text/WideText_win.h"

namespace brevaro::app {
namespace {

// An interface pointer, released once.
template <class Interface>
class ComRef {
  public:
    ComRef() = default;
    ~ComRef() { reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    Interface** put() {
        reset();
        return &pointer_;
    }
    void reset(Interface* pointer = nullptr) {
        if (pointer_ != nullptr) pointer_->Release();
        pointer_ = pointer;
    }

  private:
    Interface* pointer_ = nullptr;
};

// The site the control lives in. One object answers for all four interfaces;
// IOleWindow's two methods are shared by the in-place site and the frame.
class Site final : public IOleClientSite,
                   public IOleInPlaceSite,
                   public IOleInPlaceFrame,
                   public IDocHostUIHandler {
  public:
    explicit Site(HWND window) : window_(window) {}

    void setActiveObject(IOleInPlaceActiveObject* active) {
        if (active != nullptr) active->AddRef();
        active_.reset(active);
    }
    IOleInPlaceActiveObject* activeObject() const { return active_.get(); }
    void setInPlaceObject(IOleInPlaceObject* object) {
        if (object != nullptr) object->AddRef();
        inPlace_.reset(object);
    }
    IOleInPlaceObject* inPlaceObject() const { return inPlace_.get(); }
    void forget() {
        active_.reset();
        inPlace_.reset();
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IOleClientSite)) {
            *object = static_cast<IOleClientSite*>(this);
        } else if (IsEqualIID(id, IID_IOleWindow) || IsEqualIID(id, IID_IOleInPlaceSite)) {
            *object = static_cast<IOleInPlaceSite*>(this);
        } else if (IsEqualIID(id, IID_IOleInPlaceUIWindow) ||
                   IsEqualIID(id, IID_IOleInPlaceFrame)) {
            *object = static_cast<IOleInPlaceFrame*>(this);
        } else if (IsEqualIID(id, IID_IDocHostUIHandler)) {
            *object = static_cast<IDocHostUIHandler*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        if (moniker != nullptr) *moniker = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
        if (container != nullptr) *container = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (in-place site and frame)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (window == nullptr) return E_POINTER;
        *window = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                               IOleInPlaceUIWindow** document, LPRECT position,
                                               LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr ||
            info == nullptr) {
            return E_POINTER;
        }
        *frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *document = nullptr;
        GetClientRect(window_, position);
        *clip = *position;
        info->cb = sizeof(OLEINPLACEFRAMEINFO);
        info->fMDIApp = FALSE;
        info->hwndFrame = GetAncestor(window_, GA_ROOT);
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) override {
        if (inPlace_ && position != nullptr) inPlace_->SetObjectRects(position, position);
        return S_OK;
    }

    // IOleInPlaceUIWindow and IOleInPlaceFrame: no toolbars, menus or status line.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
        return INPLACE_E_NOTOOLSPACE;
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) override {
        setActiveObject(active);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDocHostUIHandler: the page fills the window without a 3-D border;
    // everything else is the control's own behaviour.
    HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override {
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override {
        if (info == nullptr) return E_POINTER;
        info->cbSize = sizeof(DOCHOSTUIINFO);
        info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER;
        info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
        info->pchHostCss = nullptr;
        info->pchHostNS = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                                     IOleInPlaceFrame*, IOleInPlaceUIWindow*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE HideUI() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UpdateUI() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, const GUID*, DWORD) override {
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* key, DWORD) override {
        if (key != nullptr) *key = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget*, IDropTarget** target) override {
        if (target != nullptr) *target = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** external) override {
        if (external != nullptr) *external = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) override {
        if (translated != nullptr) *translated = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*, IDataObject** result) override {
        if (result != nullptr) *result = nullptr;
        return S_FALSE;
    }

  private:
    ~Site() = default;
    std::atomic<ULONG> references_{1};
    HWND window_;
    ComRef<IOleInPlaceActiveObject> active_;
    ComRef<IOleInPlaceObject> inPlace_;
};

// A COM string, freed once.
class Bstr {
  public:
    explicit Bstr(const std::wstring& text)
        : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ~Bstr() { SysFreeString(value_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return value_; }

  private:
    BSTR value_;
};

}  // namespace

struct BrowserHost::Parts {
    HWND window = nullptr;
    Site* site = nullptr;  // one reference held here
    ComRef<IOleObject> object;
    ComRef<IWebBrowser2> browser;

    ~Parts() {
        if (object) {
            object->Close(OLECLOSE_NOSAVE);
            object->SetClientSite(nullptr);
        }
        browser.reset();
        object.reset();
        if (site != nullptr) {
            site->forget();
            site->Release();
        }
    }
};

std::unique_ptr<BrowserHost> BrowserHost::create(HWND window) {
    std::unique_ptr<BrowserHost> host(new BrowserHost());
    host->parts_ = std::make_unique<Parts>();
    Parts& parts = *host->parts_;
    parts.window = window;
    parts.site = new Site(window);
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(parts.object.put())))) {
        return nullptr;
    }
    if (FAILED(parts.object->SetClientSite(static_cast<IOleClientSite*>(parts.site))))
        return nullptr;
    OleSetContainedObject(parts.object.get(), TRUE);
    RECT client;
    GetClientRect(window, &client);
    if (FAILED(parts.object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr,
                                    static_cast<IOleClientSite*>(parts.site), 0, window,
                                    &client))) {
        return nullptr;
    }
    IOleInPlaceObject* inPlace = nullptr;
    if (SUCCEEDED(parts.object->QueryInterface(IID_IOleInPlaceObject,
                                               reinterpret_cast<void**>(&inPlace)))) {
        parts.site->setInPlaceObject(inPlace);
        inPlace->Release();
    }
    if (FAILED(parts.object->QueryInterface(IID_IWebBrowser2,
                                            reinterpret_cast<void**>(parts.browser.put())))) {
        return nullptr;
    }
    // A page's script error must never stop the user with a dialog.
    parts.browser->put_Silent(VARIANT_TRUE);
    host->resize();
    return host;
}

BrowserHost::~BrowserHost() = default;

bool BrowserHost::navigate(std::string_view url) {
    if (!parts_ || !parts_->browser) return false;
    const Bstr address(text::gbkToWide(url));
    VARIANT empty;
    VariantInit(&empty);
    return SUCCEEDED(parts_->browser->Navigate(address.get(), &empty, &empty, &empty, &empty));
}

void BrowserHost::resize() {
    if (!parts_ || parts_->site == nullptr) return;
    IOleInPlaceObject* inPlace = parts_->site->inPlaceObject();
    if (inPlace == nullptr) return;
    RECT client;
    GetClientRect(parts_->window, &client);
    inPlace->SetObjectRects(&client, &client);
}

bool BrowserHost::translateAccelerator(MSG& message) {
    if (!parts_ || parts_->site == nullptr) return false;
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
    if (message.hwnd != parts_->window && !IsChild(parts_->window, message.hwnd)) return false;
    IOleInPlaceActiveObject* active = parts_->site->activeObject();
    return active != nullptr && active->TranslateAccelerator(&message) == S_OK;
}

}  // namespace brevaro::app
