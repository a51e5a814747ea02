// Decodes arbitrary bytes as a language file and builds a localizer over them: as the only file, as the
// built-in language and as a second language switched to.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/core/TKelvoLanguageFile.h"
#include "app/core/TKelvoLocalStringList.h"
#include "app/core/TKelvoLocalizer.h"

namespace {

class TOneFile : public TKelvoLanguageSource {
public:
    explicit TOneFile(std::string bytes) : bytes_(std::move(bytes)) {}
    std::vector<WideString> LanguageFiles() override { return {u"a.ini", u"b.ini"}; }
    bool ReadFile(const WideString& path, AnsiString& bytes) override {
        bytes = path == u"a.ini" ? bytes_ : "[Language]\nLangId=1033\n[Strings]\n1=x\n";
        return true;
    }
    bool ReadLanguageResource(AnsiString& bytes) override {
        if (!asResource) return false;
        bytes = bytes_;
        return true;
    }
    void SetThreadLocale(std::uint16_t) override {}
    bool asResource = false;

private:
    std::string bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const TKelvoLanguageFile file(bytes);
    TKelvoLocalStringList table;
    file.FillTable(table);
    file.LanguageName();
    for (bool resource : {false, true}) {
        TOneFile source(bytes);
        source.asResource = resource;
        TKelvoLocalizer localizer(source);
        for (int i = 0; i < localizer.LanguageCount(); ++i) localizer.SetLanguage(localizer.Language(i).Id);
        for (std::int32_t id = -1; id < 4; ++id) localizer.GetText(id, u"default");
    }
    return 0;
}
