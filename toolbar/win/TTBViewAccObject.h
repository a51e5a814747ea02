// The accessibility object of a view as a whole: a toolbar, a menu bar or a popup menu. Its children are
// the view's accessible viewers (shown, clipped or behind the chevron) in the view's order.
#pragma once
#include "toolbar/win/TTBCustomAccObject.h"

class TTBItemViewer;
class TTBView;
struct TMessage;

class TTBViewAccObject final : public TTBCustomAccObject {
public:
    explicit TTBViewAccObject(TTBView* view);
    void Detach() override;

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
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
    ~TTBViewAccObject() override;
    bool IsDetached() const override { return view_ == nullptr; }

private:
    TTBView* view_;
};

namespace tb {

// The view's object (made on first request) with a new reference; null when accessibility is missing.
IDispatch* ViewAccObject(TTBView* view);
// The viewer that opened view from its parent view, if any.
TTBItemViewer* OpenerViewer(TTBView* view);
// WM_GETOBJECT of a view's window: for OBJID_CLIENT the view's object through LresultFromObject. False
// when the message is not answered (the window's default handling runs).
bool AnswerGetObject(TTBView* view, TMessage& message);

}  // namespace tb
