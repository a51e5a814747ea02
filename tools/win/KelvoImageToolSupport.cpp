#include "tools/win/KelvoImageToolSupport.h"

#include <string>

#include "app/core/IKelvoDemoParticipant.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/win/TKelvoToolPanelModule.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TControl.h"
#include "themed/win/TSkinAlignmentPanel.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinLink.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/TTBToolbarView.h"

namespace {
constexpr std::int32_t kTextShowOptions = 2019;
constexpr std::int32_t kTextHideOptions = 2020;
}  // namespace

namespace kelvo {

TKelvoToolPanelModule* FindToolPanel() {
    if (!Application) return nullptr;
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (auto* panel = dynamic_cast<TKelvoToolPanelModule*>(Application->Components(i))) return panel;
    return nullptr;
}

int StackTopDown(std::initializer_list<TControl*> controls, int top) {
    for (TControl* control : controls) {
        if (!control || !control->Visible()) continue;
        control->SetTop(top);
        top += control->Height();
    }
    return top;
}

void SetOptionsLink(TSkinLink& link, bool shown) {
    link.SetImageIndex(shown ? 1 : 0);
    link.SetCaption(shown ? GetText(kTextHideOptions, u"Hide Options")
                          : GetText(kTextShowOptions, u"Show More Options"));
}

TSkinAlignmentPanel* MakeFramePanel(TWinControl* frame, const char* name, int height) {
    auto* panel = MakeControl<TSkinAlignmentPanel>(frame, frame, name, 0, 0, frame->Width(), height);
    panel->SetParentBackground(false);
    return panel;
}

bool ItemCentre(TSkinToolbar* toolbar, TSkinItem* item, TPoint& point) {
    if (!toolbar || !item || !toolbar->HandleAllocated()) return false;
    TTBItemViewer* viewer = toolbar->View()->Find(item);
    if (!viewer || !viewer->Show()) return false;
    const TRect bounds = viewer->BoundsRect();
    point = toolbar->ClientToScreen(Point(bounds.Left + bounds.Width() / 2, bounds.Top + bounds.Height() / 2));
    return true;
}

bool ControlCentre(TControl* control, TPoint& point) {
    if (!control || !control->Showing()) return false;
    point = control->ClientToScreen(Point(control->Width() / 2, control->Height() / 2));
    return true;
}

WideString DecimalText(std::int32_t value) {
    const std::string digits = std::to_string(value);
    return WideString(digits.begin(), digits.end());
}

void RecordMoveAndLine(IKelvoDemoPlayback* recorder, const AnsiString& target, const AnsiString& line) {
    if (!recorder) return;
    recorder->AddLine("MouseCurvedMove " + target);
    recorder->AddLine(line);
}

}  // namespace kelvo
