// A holder of one graphic of any registered class, chosen by file extension when loading.
#pragma once
#include <memory>

#include "classlib/win/TBitmap.h"
#include "classlib/win/TGraphic.h"
#include "classlib/win/TIcon.h"

class TPicture : public TPersistent {
    CLASSLIB_CLASS(TPicture, TPersistent)
public:
    TPicture();
    ~TPicture() override;

    // The graphic held (null when none). SetGraphic stores a copy of the given graphic (same class).
    TGraphic* Graphic() const { return graphic_.get(); }
    void SetGraphic(TGraphic* graphic);
    // The graphic as a bitmap or icon; when it is of another class (or none) it is replaced by an empty one.
    TBitmap* Bitmap();
    TIcon* Icon();
    int Width() const;
    int Height() const;

    // Picks the graphic class registered for the file's extension (case-insensitive). An extension nobody
    // registered raises EInvalidGraphic "Unknown picture file extension (.<ext>)".
    void LoadFromFile(const AnsiString& fileName);
    // The same for a stream, the extension given without its dot.
    void LoadFromStream(TStream& stream, const AnsiString& extension);
    // Writes the graphic through its own SaveToStream (nothing when empty).
    void SaveToFile(const AnsiString& fileName);

    void Assign(TPersistent* source) override;

    // The file-format registry shared by every picture: "bmp" and "ico" are registered from the start.
    // A later registration of an extension replaces the earlier one.
    static void RegisterFileFormat(const AnsiString& extension, const AnsiString& description,
                                   TGraphicClass graphicClass);
    // Removes every extension registered for the class.
    static void UnregisterGraphicClass(TGraphicClass graphicClass);
    // The class registered for an extension (without dot), or null.
    static TGraphicClass FileFormatClass(const AnsiString& extension);
    // An open-dialog filter of every format of the class (and its descendants):
    // "All (*.a;*.b)|*.a;*.b|Desc A (*.a)|*.a|Desc B (*.b)|*.b".
    static AnsiString GraphicFilter(TGraphicClass graphicClass);

    TNotifyEvent OnChange;

protected:
    void Changed(TObject* sender);

private:
    void Replace(TObjectPtr<TGraphic> graphic);

    TObjectPtr<TGraphic> graphic_;
};
