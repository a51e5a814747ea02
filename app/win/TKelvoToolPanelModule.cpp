#include "app/win/TKelvoToolPanelModule.h"

#include "app/core/KelvoPanelPosition.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "app/win/KelvoProgramMainForm.h"
#include "app/win/TKelvoToolFrame.h"
#include "app/win/TMainForm.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TApplication.h"
#include "themed/win/TSkinDockablePanel.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinMultiDock.h"
#include "themed/win/TSkinToolbar.h"

namespace {

constexpr std::uint32_t kNodeId = 1;
constexpr TGUID kNodeKey = TGUID::Parse("{9FC124C8-2014-4832-8878-3489538D623F}");
constexpr std::uint32_t kRecordItem = 1;

TTBDockPosition DockPosition(TKelvoPanelDock dock) {
    switch (dock) {
        case TKelvoPanelDock::Top: return dpTop;
        case TKelvoPanelDock::Bottom: return dpBottom;
        case TKelvoPanelDock::Left: return dpLeft;
        case TKelvoPanelDock::Right: break;
    }
    return dpRight;
}

TKelvoPanelDock PanelDock(TTBDockPosition position) {
    switch (position) {
        case dpTop: return TKelvoPanelDock::Top;
        case dpBottom: return TKelvoPanelDock::Bottom;
        case dpLeft: return TKelvoPanelDock::Left;
        case dpRight: break;
    }
    return TKelvoPanelDock::Right;
}

}  // namespace

TKelvoToolPanelModule::TKelvoToolPanelModule(TComponent* owner)
    : TKelvoToolPanelModule(owner, kelvo::ProgramMainForm("The tool panel")) {}

TKelvoToolPanelModule::TKelvoToolPanelModule(TComponent* owner, TMainForm* mainForm)
    : TKelvoModuleWithControls(owner), mainForm_(mainForm) {
    const WideString caption = GetText(KelvoTextTools, u"Tools");
    Panel = mainForm_->CreateDockablePanel();
    Panel->SetCaption(caption);
    Panel->SetBorderSize(8);
    Panel->SetDockedWidth(200);
    Panel->SetDockableTo({dpLeft, dpRight});
    Panel->SetDockMode(dmCannotFloat);
    Panel->SetSupportedDocks({dkMultiDock});
    Panel->SetCurrentDock(mainForm_->RightMultiDock);

    TopFrame = Create<TKelvoToolFrame>(this);
    TopFrame->SetParent(Panel);
    TopFrame->SetAlign(alTop);
    Toolbar = TopFrame->Toolbar;
    Toolbar->SetImages(mainForm_->GetImages());

    VisibleMenuItem = mainForm_->AddMenuItem(caption, 0, mainForm_->ToolbarsMenuItem, mainForm_->ViewMenuItem, -1,
                                             MakeMethod<&TKelvoToolPanelModule::ToggleVisible>(this));
}

void TKelvoToolPanelModule::PlaceToolFrame(TKelvoFrame* frame) {
    frame->SetParent(Panel);
    frame->SetAutoScroll(true);
    frame->SetAutoSize(false);
    frame->SetAlign(alClient);
    // Behind the frames already there: a tool made after the current one must not cover its frame.
    frame->SendToBack();
    // Tab goes round the frame's own fields as in a dialog: never into the frames it covers, nor past its last
    // field into the view, which keeps every key.
    TControlStyle style = frame->ControlStyle();
    style.Include(csTabGroup);
    frame->SetControlStyle(style);
}

void TKelvoToolPanelModule::ToggleVisible(TObject*) { SetPanelVisible(!GetPanelVisible()); }

bool TKelvoToolPanelModule::GetPanelVisible() const { return Panel->Visible(); }

void TKelvoToolPanelModule::SetPanelVisible(bool value) { Panel->SetVisible(value); }

void TKelvoToolPanelModule::SetPanelWidth(int width) {
    if (width < Panel->MinClientWidth()) return;
    // The limits first, the upper one before the lower, so that none of them clamps the others on the way.
    Panel->SetMaxClientWidth(width);
    Panel->SetMinClientWidth(width);
    Panel->SetDockedWidth(width);
}

void TKelvoToolPanelModule::Localize() {
    const WideString caption = GetText(KelvoTextTools, u"Tools");
    Panel->SetCaption(caption);
    VisibleMenuItem->SetCaption(caption);
}

void TKelvoToolPanelModule::UpdateState() {
    if (VisibleMenuItem->Checked() != Panel->Visible()) VisibleMenuItem->SetChecked(Panel->Visible());
}

void TKelvoToolPanelModule::SaveState(TKelvoSDFWriter& writer) {
    TKelvoPanelPosition p;
    p.Visible = Panel->Visible();
    p.Floating = Panel->Floating();
    if (p.Floating) {
        p.FloatingX = Panel->FloatingPosition().X;
        p.FloatingY = Panel->FloatingPosition().Y;
        p.FloatingWidth = Panel->FloatingWidth();
        p.FloatingHeight = Panel->FloatingHeight();
    } else if (TTBDock* dock = Panel->CurrentDock()) {
        p.Dock = PanelDock(dock->Position());
        p.DockPos = Panel->DockPos();
        p.DockRow = Panel->DockRow();
        p.DockedWidth = Panel->DockedWidth();
        p.DockedHeight = Panel->DockedHeight();
        p.SplitWidth = Panel->SplitWidth();
        p.SplitHeight = Panel->SplitHeight();
    }
    const TKelvoPanelPositionBytes bytes = PackPanelPosition(p);
    writer.BeginNode(kNodeId, kNodeKey);
    writer.WriteBinary(kRecordItem, bytes.data(), std::uint32_t(bytes.size()));
    writer.EndNode();
}

void TKelvoToolPanelModule::LoadState(TKelvoSDFReader& reader) {
    if (!reader.OpenNode(kNodeId, kNodeKey)) return;
    TScopeExit close([&] { reader.CloseNode(); });
    TKelvoPanelPositionBytes bytes{};
    if (!reader.ReadBinary(kRecordItem, bytes.data(), std::uint32_t(bytes.size()))) return;
    const std::optional<TKelvoPanelPosition> p = UnpackPanelPosition(bytes.data(), bytes.size());
    if (!p) return;
    Panel->SetVisible(p->Visible);
    if (p->Floating) {
        // A panel that cannot float stays docked where it is.
        if (Panel->DockMode() != dmCanFloat) return;
        Panel->SetFloatingPosition(TPoint{p->FloatingX, p->FloatingY});
        Panel->SetFloatingWidth(p->FloatingWidth);
        Panel->SetFloatingHeight(p->FloatingHeight);
        Panel->SetFloating(true);
        return;
    }
    // The main window's multi-dock on that side.
    TComponent* owner = Panel->Owner();
    TSkinMultiDock* dock = nullptr;
    if (auto* form = dynamic_cast<TWinControl*>(owner)) {
        for (int i = 0; i < form->ControlCount() && !dock; ++i) {
            auto* candidate = dynamic_cast<TSkinMultiDock*>(form->Controls(i));
            if (candidate && candidate->Position() == DockPosition(p->Dock)) dock = candidate;
        }
    }
    if (!dock || !Panel->CanDockTo(dock)) return;
    Panel->SetFloating(false);
    Panel->SetCurrentDock(dock);
    dock->BeginUpdate();
    TScopeExit update([dock] { dock->EndUpdate(); });
    Panel->SetDockPos(p->DockPos);
    Panel->SetDockRow(p->DockRow);
    Panel->SetDockedWidth(p->DockedWidth);
    Panel->SetDockedHeight(p->DockedHeight);
    Panel->SetSplitWidth(p->SplitWidth);
    Panel->SetSplitHeight(p->SplitHeight);
}
