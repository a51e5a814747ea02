// Which help file the program opens and how it asks the help viewers for a topic. The file is a compiled
// HTML help file (".chm", the HTML help viewer) or a classic help file (".hlp", the Windows help engine).
#pragma once
#include <cstdint>
#include <functional>

#include "classlib/core/Types.h"

// The help menu's topics.
constexpr std::int32_t KelvoHelpContentsTopic = 0;
constexpr std::int32_t KelvoHelpGettingStartedTopic = 20;
constexpr std::int32_t KelvoHelpTechnicalSupportTopic = 30;
constexpr std::int32_t KelvoHelpOrderingInformationTopic = 40;

// The help file: the one the application names when it names one; else the program's file with ".chm" when
// that exists, else with ".hlp".
AnsiString KelvoChooseHelpFile(const AnsiString& applicationHelpFile, const AnsiString& programFile,
                               const std::function<bool(const AnsiString&)>& fileExists);
// Whether a help file is read by the HTML help viewer: its extension is ".chm" in any case.
bool KelvoIsHtmlHelpFile(const AnsiString& fileName);

// A request to one of the two viewers.
struct TKelvoHelpCall {
    std::uint32_t Command = 0;
    std::uintptr_t Data = 0;
    bool operator==(const TKelvoHelpCall&) const = default;
};
// The HTML help viewer shows the contents with its display-topic command (0) and no data, other topics with
// its help-context command (15); the classic engine takes HELP_CONTENTS (3) and HELP_CONTEXT (1).
TKelvoHelpCall KelvoHelpTopicCall(bool htmlHelp, std::int32_t topic);
