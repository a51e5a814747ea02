// Loads arbitrary bytes as a demonstration script, parses every command line, and checks that saving and loading
// again gives the same sections and lines.
#include <cstddef>
#include <cstdint>
#include <string>

#include "classlib/core/Stream.h"
#include "demo/core/TKelvoDemoScript.h"

namespace {

std::string Save(const TKelvoDemoScript& script) {
    TMemoryStream stream;
    script.SaveToStream(stream);
    return std::string(static_cast<const char*>(stream.Memory()), std::size_t(stream.Size()));
}

void Load(TKelvoDemoScript& script, const std::string& bytes) {
    TMemoryStream stream;
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), std::int32_t(bytes.size()));
    stream.SetPosition(0);
    script.LoadFromStream(stream);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TKelvoDemoScript script;
    Load(script, std::string(reinterpret_cast<const char*>(data), size));

    AnsiString word;
    TKelvoDemoScriptParams params;
    for (const AnsiString& line : script.GetLines()) {
        if (TKelvoDemoScript::ParseLine(line, word, params)) {
            for (std::int32_t i = 0; i < params.GetCount(); ++i) (void)params.GetAsVariant(i);
        }
    }
    (void)script.GetTitle();
    (void)script.GetText("Title");
    (void)script.GetInfo("Title");

    // What the program writes, it reads back unchanged.
    const std::string saved = Save(script);
    TKelvoDemoScript again;
    Load(again, saved);
    if (again.IsUtf8() != script.IsUtf8() || again.SectionCount() != script.SectionCount()) __builtin_trap();
    for (std::int32_t i = 0; i < script.SectionCount(); ++i) {
        if (again.SectionName(i) != script.SectionName(i) || again.SectionLines(i) != script.SectionLines(i))
            __builtin_trap();
    }
    if (Save(again) != saved) __builtin_trap();
    return 0;
}
