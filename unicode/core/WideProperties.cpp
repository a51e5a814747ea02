#include "unicode/core/WideProperties.h"

#include "classlib/core/TFiler.h"
#include "classlib/core/TPersistent.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TypInfo.h"
#include "unicode/core/TUniStrings.h"
#include "unicode/core/Utf7.h"
#include "unicode/core/Utf8.h"

namespace uni {
namespace {

bool HelpOn(TReader& reader) { return reader.Owner() != nullptr && UtfStreamingHelpSwitch(); }

}  // namespace

void DefineWideProperties(TFiler* filer, TPersistent* instance) {
    for (const TPropInfo* info : GetPropList(instance->ClassType())) {
        if (info->Kind == tkWString && info->SetWStr) {
            const auto set = info->SetWStr;
            filer->DefineProperty(
                info->Name + "W",
                [instance, set](TReader& reader) {
                    const WideString value = DecodeUtf8(reader.ReadString());
                    if (HelpOn(reader)) set(instance, value);
                },
                nullptr, false);
            filer->DefineProperty(
                info->Name + "_UTF7",
                [instance, set](TReader& reader) {
                    const WideString value = DecodeUtf7(reader.ReadString());
                    if (HelpOn(reader)) set(instance, value);
                },
                nullptr, false);
        } else if (info->Kind == tkWChar && info->SetOrd) {
            const auto set = info->SetOrd;
            filer->DefineProperty(
                info->Name + "W",
                [instance, set](TReader& reader) {
                    const TValueType type = reader.NextValue();
                    if (type != vaString && type != vaLString && type != vaWString && type != vaUTF8String)
                        throw EReadError("Invalid property value");
                    const WideString value = reader.ReadWideString();
                    if (value.size() > 1) throw EReadError("Invalid property value");
                    set(instance, value.empty() ? 0 : std::int64_t(value[0]));
                },
                nullptr, false);
            filer->DefineProperty(
                info->Name + "_UTF7",
                [instance, set](TReader& reader) {
                    const WideString value = DecodeUtf7(reader.ReadString());
                    set(instance, value.empty() ? 0 : std::int64_t(value[0]));
                },
                nullptr, false);
        }
    }
}

}  // namespace uni
