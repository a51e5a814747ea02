// The abstract picture: something with a size that can draw itself on a canvas and be read from and written
// to a stream. Bitmaps, icons and the PNG images of other layers derive from it.
#pragma once
#include <type_traits>

#include "classlib/core/Geometry.h"
#include "classlib/core/Method.h"
#include "classlib/core/Stream.h"
#include "classlib/core/TPersistent.h"
#include "classlib/win/GdiHandle.h"

class TCanvas;

namespace classlib::detail {
template <class T>
TObject* ConstructGraphic(void* memory, TComponent*) {
    return ::new (memory) T();
}
template <class T>
constexpr TMetaClass::ConstructFn GraphicFactoryOf() {
    if constexpr (!std::is_abstract_v<T> && std::is_default_constructible_v<T>)
        return &ConstructGraphic<T>;
    else
        return nullptr;
}
}  // namespace classlib::detail

// The class record of a graphic class: a non-abstract class with a default constructor can be created
// through its class reference (TPicture creates the class registered for a file extension that way).
#define CLASSLIB_GRAPHIC(Name, Parent) \
    CLASSLIB_CLASS_RECORD_(Name, Parent, ::classlib::detail::GraphicFactoryOf<Name>())

class TGraphic : public TPersistent {
    CLASSLIB_GRAPHIC(TGraphic, TPersistent)
public:
    TGraphic();
    ~TGraphic() override;

    // Draws the picture into rect of the canvas (stretched to it where the graphic can).
    virtual void Draw(TCanvas* canvas, const TRect& rect) = 0;

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual void SetWidth(int width) = 0;
    virtual int Height() const = 0;
    virtual void SetHeight(int height) = 0;
    // Whether the background shows through; what shows through is up to the class.
    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool transparent);
    bool Modified() const { return modified_; }
    void SetModified(bool modified);

    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    // Reads or writes a whole file through the stream methods.
    virtual void LoadFromFile(const AnsiString& fileName);
    virtual void SaveToFile(const AnsiString& fileName);

    // Clipboard exchange: graphics that do not take part leave the arguments alone.
    virtual void LoadFromClipboardFormat(std::uint16_t format, HANDLE data, HPALETTE palette);
    virtual void SaveToClipboardFormat(std::uint16_t& format, HANDLE& data, HPALETTE& palette);

    TNotifyEvent OnChange;

protected:
    // Marks the graphic modified and raises OnChange; sender is the graphic itself or a part of it.
    virtual void Changed(TObject* sender);

private:
    bool transparent_ = false;
    bool modified_ = false;
};

using TGraphicClass = TClassOf<TGraphic>;
