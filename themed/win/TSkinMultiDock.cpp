#include "themed/win/TSkinMultiDock.h"

#include <algorithm>
#include <climits>

#include "classlib/core/ScopeGuard.h"
#include "themed/core/SkinViewTypes.h"
#include "themed/win/TSkinDockablePanel.h"

namespace {
// At design time the end of the line stays free for dropping another panel.
constexpr int kDesignTimeReserve = 16;
}  // namespace

TSkinMultiDock::TSkinMultiDock(TComponent* owner) : TSkinDock(owner) {
    OnRequestDock = MakeMethod<&TSkinMultiDock::AcceptOnlyPanels>(this);
}

void TSkinMultiDock::CMControlListChange(TMessage& message) {
    auto* control = reinterpret_cast<TControl*>(message.WParam);
    if (message.LParam != 0 && control && !control->Is<TSkinDockablePanel>())
        throw EInvalidOperation("Cannot insert " + control->ClassName() + " into TSkinMultiDock");
    DispatchInherited<TSkinMultiDock>(this, message);
}

void TSkinMultiDock::AcceptOnlyPanels(TObject*, TTBCustomDockableWindow* bar, bool& accept) {
    accept = accept && bar && bar->Is<TSkinDockablePanel>();
}

void TSkinMultiDock::CMSkinViewType(TMessage& message) { message.Result = skin::vtMultiDock; }

void TSkinMultiDock::LayOutWindows() {
    const bool vertical = IsVertical();
    int length = vertical ? Height() - NonClientSize().cy : Width() - NonClientSize().cx;
    if (ComponentState().Contains(csDesigning)) length -= kDesignTimeReserve;
    length = std::max(length, 0);
    const bool loading = ComponentState().Contains(csLoading);

    // One line, in the order of the wished positions (a negative one last while loading).
    std::vector<TSkinDockablePanel*> panels;
    for (TTBCustomDockableWindow* w : Windows())
        if (auto* p = dynamic_cast<TSkinDockablePanel*>(w); p && p->CurrentDock() == this) panels.push_back(p);
    for (TSkinDockablePanel* p : panels)
        if (p->DockRow() != 0) p->SetDockRow(0);
    auto key = [loading](TSkinDockablePanel* p) { return loading && p->DockPos() < 0 ? INT_MAX : p->DockPos(); };
    std::stable_sort(panels.begin(), panels.end(),
                     [&](TSkinDockablePanel* a, TSkinDockablePanel* b) { return key(a) < key(b); });

    std::vector<TSkinDockablePanel*> shown;
    std::vector<skin::TSpreadPanel> spread;
    int thickness = 0;
    for (TSkinDockablePanel* p : panels) {
        if (p->Parent() != this || !p->Visible()) continue;
        const TSize nc = p->GetDockedNCArea().Total();
        skin::TSpreadPanel s;
        if (vertical) {
            s.Size = p->SplitHeight();
            s.Min = p->MinClientHeight() + nc.cy;
            s.Max = p->MaxClientHeight() > 0 ? p->MaxClientHeight() + nc.cy : 0;
            thickness = std::max(thickness, p->DockedWidth() + nc.cx);
        } else {
            s.Size = p->SplitWidth();
            s.Min = p->MinClientWidth() + nc.cx;
            s.Max = p->MaxClientWidth() > 0 ? p->MaxClientWidth() + nc.cx : 0;
            thickness = std::max(thickness, p->DockedHeight() + nc.cy);
        }
        shown.push_back(p);
        spread.push_back(s);
    }
    const std::vector<std::int32_t> sizes = skin::SpreadLength(spread, length);

    int pos = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        TSkinDockablePanel* p = shown[i];
        const int size = sizes[i];
        const TSize nc = p->GetDockedNCArea().Total();
        SetEffectivePlace(p, 0, pos, thickness - (vertical ? nc.cx : nc.cy));
        // The dragged panel keeps its wished place, so that the drag decides where it goes.
        if (!p->Dragging()) p->SetDockPos(pos);
        if (vertical)
            p->splitHeight_ = size;
        else
            p->splitWidth_ = size;
        TUpdateGuard update(*p);
        if (vertical)
            p->SetBounds(0, pos, thickness, size);
        else
            p->SetBounds(pos, 0, size, thickness);
        pos += size;
    }

    const int across =
        shown.empty() ? (FixAlign() ? 1 : 0) : thickness + (vertical ? NonClientSize().cx : NonClientSize().cy);
    if (vertical)
        ChangeWidthHeight(across, Height());
    else
        ChangeWidthHeight(Width(), across);
}
