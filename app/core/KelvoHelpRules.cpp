#include "app/core/KelvoHelpRules.h"

#include "classlib/core/Paths.h"

namespace {

constexpr std::uint32_t kHtmlDisplayTopic = 0;
constexpr std::uint32_t kHtmlHelpContext = 15;
constexpr std::uint32_t kClassicContext = 1;
constexpr std::uint32_t kClassicContents = 3;

}  // namespace

AnsiString KelvoChooseHelpFile(const AnsiString& applicationHelpFile, const AnsiString& programFile,
                               const std::function<bool(const AnsiString&)>& fileExists) {
    if (!applicationHelpFile.empty()) return applicationHelpFile;
    const AnsiString html = ChangeFileExt(programFile, ".chm");
    if (fileExists(html)) return html;
    return ChangeFileExt(programFile, ".hlp");
}

bool KelvoIsHtmlHelpFile(const AnsiString& fileName) {
    AnsiString ext = ExtractFileExt(fileName);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return ext == ".chm";
}

TKelvoHelpCall KelvoHelpTopicCall(bool htmlHelp, std::int32_t topic) {
    const auto data = static_cast<std::uintptr_t>(static_cast<std::uint32_t>(topic));
    if (htmlHelp) return topic == 0 ? TKelvoHelpCall{kHtmlDisplayTopic, 0} : TKelvoHelpCall{kHtmlHelpContext, data};
    return topic == 0 ? TKelvoHelpCall{kClassicContents, 0} : TKelvoHelpCall{kClassicContext, data};
}
