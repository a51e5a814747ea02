// An icon: a system icon handle, loaded from the program's resources, from an .ico stream, or adopted.
#pragma once
#include <vector>

#include "classlib/win/TGraphic.h"

class TIcon : public TGraphic {
    CLASSLIB_GRAPHIC(TIcon, TGraphic)
public:
    TIcon();
    ~TIcon() override;

    // Draws the icon at rect's top-left corner in its own size (stretched when rect is of another size).
    void Draw(TCanvas* canvas, const TRect& rect) override;
    bool Empty() const override { return icon_ == nullptr; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // An icon's size comes from its image: raises EInvalidGraphic "Cannot change the size of an icon".
    void SetWidth(int width) override;
    void SetHeight(int height) override;

    HICON Handle() const { return icon_; }
    // Takes ownership of icon (0 empties); the size is read from the icon.
    void SetHandle(HICON icon);
    // Hands the icon to the caller, who destroys it; this object is empty afterwards.
    HICON ReleaseHandle();

    // An RT_GROUP_ICON resource of the module (0: the program) in the system's large icon size. Raises
    // EResNotFound when there is none.
    void LoadFromResourceName(HINSTANCE instance, const AnsiString& name);
    void LoadFromResourceID(HINSTANCE instance, int id);

    // .ico files: the image closest to the system's large icon size. Raises EInvalidGraphic for a
    // malformed file.
    void LoadFromStream(TStream& stream) override;
    // Writes the .ico file the icon was read from; an icon that came from a handle or a resource has none
    // and raises EInvalidGraphic.
    void SaveToStream(TStream& stream) override;

    void Assign(TPersistent* source) override;

private:
    void Reset(HICON icon, std::vector<Byte> fileData);

    HICON icon_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::vector<Byte> fileData_;
};
