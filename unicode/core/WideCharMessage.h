// A typed character of 256 or more carried through code that reads WM_CHAR as an 8-bit character: the low
// word of wParam becomes 255 and the character moves to the high word, where 8-bit code leaves it alone;
// restoring puts it back before the message reaches the system's wide window procedure.
#pragma once
#include <cstdint>

#include "classlib/core/Messages.h"
#include "classlib/core/Types.h"

namespace uni {

// The marker left in the low word of a packed character.
constexpr std::uint16_t kPackedCharMarker = 255;

// Packs a character of 256 or more (nothing to do for smaller ones or an already packed message).
void PackWideCharMessage(TMessage& message);
// Moves a packed character back into the low word and clears the high word.
void UnpackWideCharMessage(TMessage& message);
// The character the message carries, packed or not.
WideChar WideCharOfMessage(const TMessage& message);
// Replaces the character: packed when it is 256 or more, plain otherwise.
void SetWideCharOfMessage(TMessage& message, WideChar ch);

}  // namespace uni
