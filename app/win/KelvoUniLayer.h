// The one place where the program's forms, frames and application object meet the window layer they are
// built on: the Unicode windows (wide captions, wide message boxes, the Unicode application's title).
// Everything they take from that layer passes through the names declared here.
#pragma once
#include "classlib/core/Types.h"
#include "unicode/win/TUniForm.h"
#include "unicode/win/TUniFrame.h"

// The base the program's forms are built on.
using TKelvoFormBase = TUniForm;
// The base the program's frames are built on.
using TKelvoFrameBase = TUniFrame;

namespace kelvo {

// The application's title (the text of the application window), wide.
WideString ApplicationTitle();
void SetApplicationTitle(const WideString& title);
// A message box of the application: owned by the active form (else the application window), the other
// windows of the task disabled while it is up. Returns the id of the pressed button.
int ApplicationMessageBox(const WideString& text, const WideString& caption, unsigned flags);

}  // namespace kelvo
