// The accessibility object of one item viewer: a button of a toolbar or an item of a menu. Its default
// action opens the submenu or runs the item; outside a menu loop that happens as a deferred click, so the
// client's call returns before the loop starts.
#pragma once
#include "toolbar/core/DeferredClicks.h"
#include "toolbar/win/TTBCustomAccObject.h"

class TTBItemViewer;

class TTBItemViewerAccObject final : public TTBCustomAccObject, private TTBDeferredClickTarget {
public:
    explicit TTBItemViewerAccObject(TTBItemViewer* viewer);
    void Detach() override;

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;

protected:
    ~TTBItemViewerAccObject() override;
    bool IsDetached() const override { return viewer_ == nullptr; }

private:
    void DeferredClick() override;
    TTBItemViewer* viewer_;
    bool clickPending_ = false;  // a deferred click holds a reference
};

namespace tb {

// The viewer's object (made on first request) with a new reference; null when accessibility is missing.
IDispatch* ViewerAccObject(TTBItemViewer* viewer);
// Whether a client may use the viewer now: its item is visible and enabled, its view's window is visible
// and enabled with all its parents, and the view runs a menu loop or its window is (inside) the active one.
bool IsViewerAvailable(const TTBItemViewer* viewer);

}  // namespace tb
