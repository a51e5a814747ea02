// Feeds arbitrary bytes to the property-stream reader. The first byte picks what is read: a run of
// values, the properties of an object, or a whole component tree. Malformed input must end in a
// class-library exception, never in a crash, a leak, a hang or an out-of-memory.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/core/TCollection.h"
#include "classlib/core/TComponent.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TypInfo.h"

namespace {

class TFuzzFont : public TPersistent {
    CLASSLIB_CLASS(TFuzzFont, TPersistent)
    AnsiString GetName() const { return name; }
    void SetName(const AnsiString& v) { name = v; }
    AnsiString name;
};

class TFuzzPanel : public TCollectionItem {
    CLASSLIB_CLASS(TFuzzPanel, TCollectionItem)
    using TCollectionItem::TCollectionItem;
    std::int32_t GetWidth() const { return width; }
    void SetWidth(std::int32_t v) { width = v; }
    std::int32_t width = 0;
};

class TFuzzItem : public TComponent {
    CLASSLIB_COMPONENT(TFuzzItem, TComponent)
    explicit TFuzzItem(TComponent* owner) : TComponent(owner) {
        font = MakeObject<TFuzzFont>();
        panels = MakeObject<TCollection>(TCollectionItemClass::Of<TFuzzPanel>());
    }
    TCollection* GetPanels() const { return panels.get(); }
    WideString GetCaption() const { return caption; }
    void SetCaption(const WideString& v) { caption = v; }
    std::int16_t GetSize() const { return size; }
    void SetSize(std::int16_t v) { size = v; }
    double GetRatio() const { return ratio; }
    void SetRatio(double v) { ratio = v; }
    bool GetShown() const { return shown; }
    void SetShown(bool v) { shown = v; }
    std::uint32_t GetFlags() const { return flags; }
    void SetFlags(std::uint32_t v) { flags = v; }
    WideChar GetMark() const { return mark; }
    void SetMark(WideChar v) { mark = v; }
    TFuzzFont* GetFont() const { return font.get(); }
    void DefineProperties(TFiler* filer) override {
        filer->DefineProperty(
            "Lines",
            [this](TReader& r) {
                r.ReadListBegin();
                lines.clear();
                while (!r.EndOfList()) lines.push_back(r.ReadWideString());
                r.ReadListEnd();
            },
            nullptr, false);
        filer->DefineBinaryProperty(
            "Data",
            [this](TStream& s) {
                data.resize(std::size_t(s.Size()));
                s.ReadBuffer(data.data(), std::int32_t(data.size()));
            },
            nullptr, false);
    }
    void GetChildren(TGetChildProc proc, TComponent*) override {
        for (int i = 0; i < ComponentCount(); ++i) proc(Components(i));
    }

    WideString caption;
    std::int16_t size = 0;
    double ratio = 0;
    bool shown = false;
    std::uint32_t flags = 0;
    WideChar mark = 0;
    TObjectPtr<TFuzzFont> font;
    TObjectPtr<TCollection> panels;
    std::vector<WideString> lines;
    std::vector<Byte> data;
};

void RegisterOnce() {
    static bool done = false;
    if (done) return;
    done = true;
    PublishString<TFuzzFont>("Name", &TFuzzFont::GetName, &TFuzzFont::SetName);
    PublishWideString<TFuzzItem>("Caption", &TFuzzItem::GetCaption, &TFuzzItem::SetCaption);
    PublishOrdinal<TFuzzItem>("Size", &TFuzzItem::GetSize, &TFuzzItem::SetSize);
    PublishFloat<TFuzzItem>("Ratio", &TFuzzItem::GetRatio, &TFuzzItem::SetRatio);
    PublishBoolean<TFuzzItem>("Shown", &TFuzzItem::GetShown, &TFuzzItem::SetShown);
    PublishSet<TFuzzItem>("Flags", {"fA", "fB", "fC"}, &TFuzzItem::GetFlags, &TFuzzItem::SetFlags);
    PublishWideChar<TFuzzItem>("Mark", &TFuzzItem::GetMark, &TFuzzItem::SetMark);
    PublishObject<TFuzzItem>("Font", &TFuzzItem::GetFont);
    PublishEvent<TFuzzItem>("OnClick");
    PublishObject<TFuzzItem>("Panels", &TFuzzItem::GetPanels);
    PublishOrdinal<TFuzzPanel>("Width", &TFuzzPanel::GetWidth, &TFuzzPanel::SetWidth);
    RegisterClass(TFuzzItem::StaticClass());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RegisterOnce();
    if (size < 1) return 0;
    std::vector<Byte> bytes(data + 1, data + size);
    TCustomMemoryStream stream;
    stream.SetPointer(bytes.data(), std::int64_t(bytes.size()));
    TReader reader(stream);
    try {
        switch (data[0] % 3) {
            case 0:
                while (stream.Remaining() > 0) reader.SkipValue();
                break;
            case 1: {
                TObjectPtr<TFuzzItem> item(Create<TFuzzItem>(nullptr));
                reader.ReadProperties(item.get());
                break;
            }
            default: {
                TObjectPtr<TComponent> root(reader.ReadRootComponent(nullptr));
                break;
            }
        }
    } catch (const Exception&) {
        // Refused input: what the reader must do with it.
    }
    return 0;
}
