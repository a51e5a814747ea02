// Rules of caption texts: the accelerator character ("&Save" is reached with S; "&&" stands for a literal
// ampersand) and the text a label measures.
#pragma once
#include "classlib/core/Types.h"

// The character after the first single '&'; 0 when there is none, or when the caption ends with the '&'.
char AccelChar(const AnsiString& caption);

// The text a label measures: an empty text, or one ending in a lone '&' while accelerators are shown, gets a
// blank, so that the measured line keeps its height and the prefix its place.
AnsiString LabelMeasureText(const AnsiString& text, bool showAccelChar);
