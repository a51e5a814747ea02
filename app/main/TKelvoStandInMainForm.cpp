#include "app/main/TKelvoStandInMainForm.h"

#include "app/core/TKelvoLocalizer.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "classlib/core/FormBuilder.h"
#include "classlib/core/ScopeGuard.h"

namespace {

constexpr TGUID kMainWindowNode = TGUID::Parse("{7AF6D7FF-618B-41D9-882E-419D500DF28B}");
constexpr std::uint32_t kLanguageItem = 1;
constexpr std::uint32_t kPlacementItem = 2;
static_assert(sizeof(WINDOWPLACEMENT) == 44);

// A stored rectangle is used only when it has a usable size and lies at least partly on the screens of
// this system.
bool UsableRect(const RECT& r) {
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width < 100 || height < 100 || width > 32767 || height > 32767) return false;
    const RECT screens{::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                       ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                       ::GetSystemMetrics(SM_YVIRTUALSCREEN) + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    RECT visible;
    return ::IntersectRect(&visible, &r, &screens) != 0;
}

}  // namespace

TKelvoStandInMainForm::TKelvoStandInMainForm(TComponent* owner) : TKelvoForm(owner) {
    SetCaption(u"Vantorel");
    SetBounds(100, 100, 800, 600);
}

void TKelvoStandInMainForm::RegisterBuilder() {
    RegisterFormBuilder(StaticClass(), [](TComponent*) {});
}

void TKelvoStandInMainForm::LoadState(TKelvoSDFReader& reader) {
    if (!reader.OpenNode(1, kMainWindowNode)) return;
    TScopeExit close([&] { reader.CloseNode(); });
    WINDOWPLACEMENT placement{};
    if (reader.ReadBinary(kPlacementItem, &placement, sizeof(placement)) && UsableRect(placement.rcNormalPosition)) {
        const RECT& r = placement.rcNormalPosition;
        SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        if (placement.showCmd == SW_SHOWMAXIMIZED) SetWindowState(wsMaximized);
    }
    std::int32_t language = 0;
    if (reader.ReadInteger(kLanguageItem, language)) SetLanguage(language);
}

void TKelvoStandInMainForm::SaveState(TKelvoSDFWriter& writer) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!::GetWindowPlacement(Handle(), &placement)) return;
    writer.BeginNode(1, kMainWindowNode);
    writer.WriteBinary(kPlacementItem, &placement, sizeof(placement));
    writer.WriteInteger(kLanguageItem, GetCurrentLanguageId());
    writer.EndNode();
}
