#include "tools/win/KelvoImageToolSupport.h"

#include <string>

#include "app/core/TKelvoLocalizer.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/win/TControl.h"
#include "classlib/core/StringUtils.h"
#include "themed/win/TSkinAlignmentPanel.h"
#include "themed/win/TSkinLink.h"

namespace {}  // namespace

namespace kelvo {

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
    link.SetCaption(shown ? GetText(KelvoTextHideOptions, u"Hide Options")
                          : GetText(KelvoTextShowOptions, u"Show More Options"));
}

TSkinAlignmentPanel* MakeFramePanel(TWinControl* frame, const char* name, int height) {
    auto* panel = MakeControl<TSkinAlignmentPanel>(frame, frame, name, 0, 0, frame->Width(), height);
    panel->SetParentBackground(false);
    return panel;
}

WideString DecimalText(std::int32_t value) { return WidenBytes(std::to_string(value)); }

}  // namespace kelvo
