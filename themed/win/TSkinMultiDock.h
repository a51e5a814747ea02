// A themed dock (its colour and background as TSkinDock's) for dockable panels only (TSkinDockablePanel): it puts them
// in one line along its length and shares the length among them by their split sizes within their limits
// (themed/core/DockPanelGeometry.h); the shares become their split sizes and their places their DockPos. Inserting any
// other control raises EInvalidOperation "Cannot insert <class> into TSkinMultiDock"; so that dragging a toolbar over
// it does not come to that, its OnRequestDock starts as a handler that turns away everything but panels (a handler set
// in its place should do the same). Like every dock it arranges nothing while updates are counted or it is loading,
// only once they end.
#pragma once
#include "themed/win/TSkinDock.h"

class TSkinMultiDock : public TSkinDock {
    CLASSLIB_COMPONENT(TSkinMultiDock, TSkinDock)
    CLASSLIB_MESSAGES(TSkinMultiDock, CLASSLIB_ON(CM_CONTROLLISTCHANGE, &TSkinMultiDock::CMControlListChange),
                      CLASSLIB_ON(1261, &TSkinMultiDock::CMSkinViewType))

    explicit TSkinMultiDock(TComponent* owner);

    // The first OnRequestDock: only dockable panels may be dropped here.
    void AcceptOnlyPanels(TObject* sender, TTBCustomDockableWindow* bar, bool& accept);

protected:
    void LayOutWindows() override;

    void CMControlListChange(TMessage& message);
    void CMSkinViewType(TMessage& message);
};
