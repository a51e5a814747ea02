// The Unicode action links: a linked Unicode control follows its action's wide caption and hint for as long
// as its wide text (hint) equals the action's; WideActionLinkClassFor picks the link class for a control.
#pragma once
#include "classlib/win/TButtonControl.h"
#include "classlib/win/TControlActionLink.h"
#include "classlib/win/TListView.h"

namespace uni {

// What every Unicode link adds to its library base: the caption and hint compared and handed on wide.
template <class Base>
class TWideTextActionLink : public Base {
public:
    explicit TWideTextActionLink(TObject* client) : Base(client) {}
    bool IsCaptionLinked() override;
    bool IsHintLinked() override;
    void SetCaption(const AnsiString& value) override;
    void SetHint(const AnsiString& value) override;
};

extern template class TWideTextActionLink<TControlActionLink>;
extern template class TWideTextActionLink<TWinControlActionLink>;
extern template class TWideTextActionLink<TButtonActionLink>;
extern template class TWideTextActionLink<TListViewActionLink>;

}  // namespace uni

class TUniControlActionLink : public uni::TWideTextActionLink<TControlActionLink> {
    CLASSLIB_COMPONENT(TUniControlActionLink, TControlActionLink)
    explicit TUniControlActionLink(TObject* client) : TWideTextActionLink(client) {}
};

class TUniWinControlActionLink : public uni::TWideTextActionLink<TWinControlActionLink> {
    CLASSLIB_COMPONENT(TUniWinControlActionLink, TWinControlActionLink)
    explicit TUniWinControlActionLink(TObject* client) : TWideTextActionLink(client) {}
};

class TUniButtonActionLink : public uni::TWideTextActionLink<TButtonActionLink> {
    CLASSLIB_COMPONENT(TUniButtonActionLink, TButtonActionLink)
    explicit TUniButtonActionLink(TObject* client) : TWideTextActionLink(client) {}
};

class TUniListViewActionLink : public uni::TWideTextActionLink<TListViewActionLink> {
    CLASSLIB_COMPONENT(TUniListViewActionLink, TListViewActionLink)
    explicit TUniListViewActionLink(TObject* client) : TWideTextActionLink(client) {}
};

namespace uni {

// The Unicode link class for control's kind, first match: list view, button, any windowed control, any
// control. The class library has no extended combo box, speed button, bitmap button or tool button, and
// nothing of the program would link one, so their links (TUniComboBoxExActionLink, TUniSpeedButtonActionLink,
// TUniBitBtnActionLink, TUniToolButtonActionLink) do not exist; such a control would be matched further down.
TControlActionLinkClass WideActionLinkClassFor(TControl* control);

}  // namespace uni
