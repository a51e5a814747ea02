// Extra property-stream entries by which wide properties are read from form resources written for 8-bit
// readers: "<name>W" (UTF-8) and "<name>_UTF7" (UTF-7). They are never written.
#pragma once

class TFiler;
class TPersistent;

namespace uni {

// For every published wide-string property P of instance's class: "PW" (UTF-8) and "P_UTF7" (UTF-7), applied
// only with UTF streaming help (see SetUtfStreamingHelp), otherwise read and dropped. For every wide-character
// property P: "PW" (an 8-bit or wide string value of at most one character, else EReadError
// "Invalid property value") and "P_UTF7" (the first character, or 0 when empty), always applied.
void DefineWideProperties(TFiler* filer, TPersistent* instance);

}  // namespace uni
