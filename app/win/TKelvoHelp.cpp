#include "app/win/TKelvoHelp.h"

#include "app/core/KelvoHelpRules.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "app/win/TKelvoApplication.h"
#include "app/win/KelvoProgramMainForm.h"
#include "app/win/TMainForm.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/FileSystem.h"
#include "classlib/core/Format.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/WideChars.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinSeparatorItem.h"

namespace {

constexpr std::uint32_t kNodeId = 1;
constexpr TGUID kNodeKey = TGUID::Parse("{3F084D7D-FB21-44A5-BA4F-B6FF3AE0B41D}");
constexpr std::uint32_t kShowAtStartItem = 1;

// HtmlHelpW of the system's viewer. The library stays loaded: the viewer's windows live until the program ends.
TKelvoHtmlHelpFunction SystemHtmlHelp() {
    static TKelvoHtmlHelpFunction entry = [] {
        HMODULE library = ::LoadLibraryW(L"hhctrl.ocx");
        if (!library) return TKelvoHtmlHelpFunction(nullptr);
        // Through a function type without parameters, which any function pointer may pass through unchanged.
        return reinterpret_cast<TKelvoHtmlHelpFunction>(
            reinterpret_cast<void (*)()>(::GetProcAddress(library, "HtmlHelpW")));
    }();
    return entry;
}

}  // namespace

TKelvoHtmlHelpFunction TKelvoHelp::HtmlHelpEntry = nullptr;

TKelvoHelp::TKelvoHelp(TComponent* owner) : TKelvoHelp(owner, kelvo::ProgramMainForm("The help module")) {}

TKelvoHelp::TKelvoHelp(TComponent* owner, TMainForm* mainForm) : TKelvoModule(owner) {
    SetHelpFile(KelvoChooseHelpFile(Application->HelpFile(), Application->ExeName(),
                                    [](const AnsiString& name) { return FileExists(name); }));
    TSkinSubmenuItem* menu = mainForm->HelpMenuItem;
    ContentsMenuItem = mainForm->AddMenuItem(GetText(KelvoTextContents, u"Contents"), VK_F1, nullptr, menu, -1,
                                             MakeMethod<&TKelvoHelp::ContentsClick>(this));
    ContentsMenuSeparator = mainForm->AddSeparator(menu, nullptr);
    GettingStartedMenuItem = mainForm->AddMenuItem(GetText(KelvoTextGettingStarted, u"Getting Started"), 0, nullptr,
                                                   menu, -1, MakeMethod<&TKelvoHelp::GettingStartedClick>(this));
    TechnicalSupportMenuItem =
        mainForm->AddMenuItem(GetText(KelvoTextTechnicalSupport, u"Technical Support"), 0, nullptr, menu, -1,
                              MakeMethod<&TKelvoHelp::TechnicalSupportClick>(this));
    HelpMenuSeparator = mainForm->AddSeparator(menu, nullptr);
    OrderingInformationMenuItem =
        mainForm->AddMenuItem(GetText(KelvoTextOrderingInformation, u"Ordering Information"), 0, nullptr, menu, -1,
                              MakeMethod<&TKelvoHelp::OrderingInformationClick>(this));
}

TKelvoHelp::~TKelvoHelp() {
    // Only a help engine this program started has a window to close; asking otherwise could start one.
    if (!htmlHelp_ && classicHelpUsed_ && Application) Application->HelpCommand(HELP_QUIT, 0);
}

void TKelvoHelp::SetHelpFile(const AnsiString& name) {
    helpFile_ = name;
    htmlHelp_ = KelvoIsHtmlHelpFile(name);
    Application->SetHelpFile(htmlHelp_ ? AnsiString() : name);
}

void TKelvoHelp::ShowTopic(std::int32_t topic) {
    // Neither viewer says why it shows nothing, so a missing file is named here.
    if (!FileExists(helpFile_)) {
        KelvoApplication->MessageBoxTitled(
            WideFormat(GetText(KelvoTextCannotOpen, u"The file %s cannot be opened."), {AnsiToWide(helpFile_)}),
            MB_OK | MB_ICONERROR);
        return;
    }
    const TKelvoHelpCall call = KelvoHelpTopicCall(htmlHelp_, topic);
    if (!htmlHelp_) {
        classicHelpUsed_ = true;
        Application->HelpCommand(static_cast<std::uint16_t>(call.Command), static_cast<std::intptr_t>(call.Data));
        return;
    }
    TKelvoHtmlHelpFunction entry = HtmlHelpEntry ? HtmlHelpEntry : SystemHtmlHelp();
    if (!entry) return;
    const WideString file = AnsiToWide(helpFile_);
    entry(Application->Handle(), WideCStr(file), call.Command, call.Data);
}

void TKelvoHelp::ContentsClick(TObject*) { ShowTopic(KelvoHelpContentsTopic); }
void TKelvoHelp::GettingStartedClick(TObject*) { ShowTopic(KelvoHelpGettingStartedTopic); }
void TKelvoHelp::TechnicalSupportClick(TObject*) { ShowTopic(KelvoHelpTechnicalSupportTopic); }
void TKelvoHelp::OrderingInformationClick(TObject*) { ShowTopic(KelvoHelpOrderingInformationTopic); }

void TKelvoHelp::Localize() {
    ContentsMenuItem->SetCaption(GetText(KelvoTextContents, u"Contents"));
    GettingStartedMenuItem->SetCaption(GetText(KelvoTextGettingStarted, u"Getting Started"));
    TechnicalSupportMenuItem->SetCaption(GetText(KelvoTextTechnicalSupport, u"Technical Support"));
    OrderingInformationMenuItem->SetCaption(GetText(KelvoTextOrderingInformation, u"Ordering Information"));
}

void TKelvoHelp::Initialize() {
    if (ShowAtStart) KelvoApplication->PostponedCall(MakeMethod<&TKelvoHelp::ShowGettingStartedAtStart>(this));
    TKelvoModule::Initialize();
}

void TKelvoHelp::ShowGettingStartedAtStart() {
    ShowTopic(KelvoHelpGettingStartedTopic);
    ShowAtStart = false;
}

void TKelvoHelp::LoadState(TKelvoSDFReader& reader) {
    if (!reader.OpenNode(kNodeId, kNodeKey)) return;
    TScopeExit close([&] { reader.CloseNode(); });
    // Only a program that asks for Getting Started at start lets the saved flag switch it off.
    if (ShowAtStart) reader.ReadBool(kShowAtStartItem, ShowAtStart);
}

void TKelvoHelp::SaveState(TKelvoSDFWriter& writer) {
    writer.BeginNode(kNodeId, kNodeKey);
    writer.WriteBool(kShowAtStartItem, ShowAtStart);
    writer.EndNode();
}
