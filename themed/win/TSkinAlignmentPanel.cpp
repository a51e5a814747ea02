#include "themed/win/TSkinAlignmentPanel.h"

#include <vector>

#include "classlib/win/GdiHandle.h"
#include "themed/core/SkinControlRules.h"
#include "themed/win/SkinDrawing.h"

using skin::DrawLineColor;
using skin::FillRectColor;
using skin::FrameRectColor;
using skin::RoundRectColor;

namespace {
skin::TChildExtent ExtentOf(TControl* c) {
    skin::TChildExtent e;
    e.Align = c->Align();
    e.Visible = c->Visible();
    e.Width = c->Width();
    e.Height = c->Height();
    if (auto* s = dynamic_cast<TSkinControl*>(c)) {
        if (e.Align == alClient) {
            e.MinWidth = s->GetMinWidth();
            e.MinHeight = s->GetMinHeight();
        }
    } else {
        e.MinWidth = c->Constraints().MinWidth;
        e.MinHeight = c->Constraints().MinHeight;
    }
    return e;
}
}  // namespace

int GetControlHeight(TControl* control) { return skin::ChildHeight(ExtentOf(control)); }
int GetControlWidth(TControl* control) { return skin::ChildWidth(ExtentOf(control)); }

TSkinAlignmentPanel::TSkinAlignmentPanel(TComponent* owner) : TSkinControl(owner) {
    margins_ = MakeObject<TSkinControlMargins>();
    paddings_ = MakeObject<TSkinControlPaddings>();
    margins_->OnChange = MakeMethod<&TSkinAlignmentPanel::EdgesChanged>(this);
    paddings_->OnChange = MakeMethod<&TSkinAlignmentPanel::EdgesChanged>(this);
    SetColor(clNone);
}

TSkinAlignmentPanel::~TSkinAlignmentPanel() = default;

void TSkinAlignmentPanel::EdgesChanged(TObject*) {
    Realign();
    Invalidate();
}

void TSkinAlignmentPanel::SetBorderColor(TColor value) {
    if (borderColor_ == value) return;
    borderColor_ = value;
    Realign();
    Invalidate();
}

void TSkinAlignmentPanel::SetBorderRadius(int value) {
    if (borderRadius_ == value) return;
    borderRadius_ = value;
    Invalidate();
}

void TSkinAlignmentPanel::AdjustClientRect(TRect& rect) {
    rect = skin::PanelChildArea(rect, margins_->Edges(), paddings_->Edges(), borderColor_ != clNone);
}

int TSkinAlignmentPanel::GetMinHeight() {
    std::vector<skin::TChildExtent> children;
    for (int i = 0; i < ControlCount(); ++i) children.push_back(ExtentOf(Controls(i)));
    return skin::PanelMinHeight(children, margins_->Edges(), paddings_->Edges(), borderColor_ != clNone);
}

int TSkinAlignmentPanel::GetMinWidth() {
    std::vector<skin::TChildExtent> children;
    for (int i = 0; i < ControlCount(); ++i) children.push_back(ExtentOf(Controls(i)));
    return skin::PanelMinWidth(children, margins_->Edges(), paddings_->Edges(), borderColor_ != clNone);
}

void TSkinAlignmentPanel::Paint() {
    if (borderColor_ != clNone || Color() != clNone) {
        const TRect r = skin::ShrinkRect(ClientRect(), margins_->Edges());
        HDC dc = Canvas()->Handle();
        const int radius = borderRadius_ ? borderRadius_ : 0;
        if (radius) {
            RoundRectColor(dc, r, borderColor_, Color(), radius, radius);
        } else {
            if (Color() != clNone) FillRectColor(dc, r, Color());
            if (borderColor_ != clNone) {
                TRect frame = r;
                FrameRectColor(dc, frame, borderColor_, false);
            }
        }
    }
    if (OnPaint) OnPaint(this);
}

void TSkinAlignmentPanel::WMEraseBkgnd(TMessage& message) {
    if (SkinSystem().visualStyles && ParentBackground()) {
        DispatchInherited<TSkinAlignmentPanel>(this, message);
        return;
    }
    message.Result = 1;
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    if (!dc) return;
    TColor color = clBtnFace;
    for (TWinControl* p = Parent(); p; p = p->Parent())
        if (p->Color() != clNone) {
            color = p->Color();
            break;
        }
    FillRectColor(dc, ClientRect(), color);
}
