// The program's own message box: any number of buttons with the caller's captions, an optional check box and
// an optional icon, laid out round a text wrapped at 400 pixels (KelvoMessageBoxLayout).
//
//     bool again = true;
//     const int pressed = ShowMessageBox(u"Vantorel", u"Replace the file?", {u"Replace", u"Keep both", u"Cancel"},
//                                        again, u"Ask again", KelvoMessageBoxIconQuestion, 2);
//     // pressed: 0..2, or -1 when the box was closed without a button
#pragma once
#include <cstdint>
#include <vector>

#include "app/core/KelvoMessageBoxLayout.h"
#include "classlib/core/TObject.h"
#include "classlib/core/Types.h"

class TCanvas;
class TIcon;
class TUniForm;

// Icons by id: 0 none; up to 32516 a system icon (IDI_HAND 32513 ... IDI_INFORMATION 32516); above, an icon
// of the program's resources.
inline constexpr int KelvoMessageBoxNoIcon = 0;
inline constexpr int KelvoMessageBoxIconError = 32513;
inline constexpr int KelvoMessageBoxIconQuestion = 32514;
inline constexpr int KelvoMessageBoxIconWarning = 32515;
inline constexpr int KelvoMessageBoxIconInformation = 32516;
// The answer of a box closed by its close box or Alt+F4: no button was pressed.
inline constexpr int KelvoMessageBoxClosed = -1;

class TKelvoMessageBox : public TObject {
public:
    // Loads the icon of the id (none for 0).
    TKelvoMessageBox(const WideString& text, int iconId);
    ~TKelvoMessageBox() override;

    // Builds the form (owned by Application) with its buttons 0..lastButton and, with a check caption, its
    // check box; shows it modally. Returns the pressed button's index (KelvoMessageBoxClosed without one) and
    // writes the check box's state back. Raises EListError when lastButton names a caption that is not there.
    int Show(const WideString& caption, const std::vector<WideString>& buttons, bool& checked,
             const WideString& checkCaption, int lastButton);

    // The layout of the last Show (for its paint handler and tests).
    const TKelvoMessageBoxLayout& Layout() const { return layout_; }

private:
    void PaintForm(TObject* sender);
    void ButtonClick(TObject* sender);

    TObjectPtr<TIcon> icon_;
    WideString text_;
    TKelvoMessageBoxLayout layout_;
    TUniForm* form_ = nullptr;
    int pressed_ = KelvoMessageBoxClosed;
};

int ShowMessageBox(const WideString& caption, const WideString& text, const std::vector<WideString>& buttons,
                   bool& checked, const WideString& checkCaption, int iconId, int lastButton);
