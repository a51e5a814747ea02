// The program's help file, as the system's HTML help viewer reads it: the Help menu opens it under its title, and
// each topic number of the menu reaches a page while a number without a page reaches none.
#include <windows.h>

#include <string>

#include "app/win/TKelvoHelp.h"
#include "classlib/core/CodePages.h"
#include "tests/support/DialogDriver.h"
#include "tests/main/gui/ProgramTestSupport.h"
#include "themed/win/TSkinCustomItem.h"
#include "unicode/win/WideFiles.h"

namespace {

using THtmlHelp = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

constexpr UINT kHelpContext = 0x000F;
constexpr UINT kCloseAll = 0x0012;

// A function of a system library, through a function type without parameters, which any function pointer may
// pass through unchanged.
template <class T>
T SystemFunction(const wchar_t* library, const char* name) {
    return reinterpret_cast<T>(reinterpret_cast<void (*)()>(::GetProcAddress(::LoadLibraryW(library), name)));
}

class HelpFile : public kelvotest::ProgramTest {};

}  // namespace

TEST_F(HelpFile, TheHelpMenuOpensTheProgramsHelpFileAndEachTopicNumberOfTheMenuIsInIt) {
    const WideString program = uni::SwitchGetModuleFileName(nullptr);
    const WideString chm = program.substr(0, program.find_last_of(u'\\') + 1) + u"Vantorel.chm";
    const std::wstring file(chm.begin(), chm.end());
    ASSERT_TRUE(uni::FileExistsW(chm));
    auto* help = Find<TKelvoHelp>();
    help->SetHelpFile(WideToAnsi(chm));

    help->GettingStartedMenuItem->Click();
    EXPECT_TRUE(testsupport::PumpUntil([] { return testsupport::FindDialog({L"Vantorel Help", L""}) != nullptr; }));

    auto htmlHelp = SystemFunction<THtmlHelp>(L"hhctrl.ocx", "HtmlHelpW");
    ASSERT_TRUE(htmlHelp);
    for (DWORD topic : {20u, 30u, 40u}) EXPECT_TRUE(htmlHelp(nullptr, file.c_str(), kHelpContext, topic)) << topic;
    EXPECT_FALSE(htmlHelp(nullptr, file.c_str(), kHelpContext, 99));
    htmlHelp(nullptr, nullptr, kCloseAll, 0);
}
