// The property stream: values, published and defined properties, components, and form builders.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "classlib/core/FormBuilder.h"
#include "classlib/core/TCollection.h"
#include "classlib/core/TComponent.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TWriter.h"
#include "classlib/core/TSyncObjects.h"
#include "classlib/core/TypInfo.h"

namespace {

std::vector<Byte> Bytes(TMemoryStream& s) {
    const Byte* p = static_cast<const Byte*>(s.Memory());
    return std::vector<Byte>(p, p + s.Size());
}

// A reader over a copy of bytes.
struct Input {
    explicit Input(std::vector<Byte> b) : bytes(std::move(b)), reader(stream) {
        stream.SetPointer(bytes.data(), std::int64_t(bytes.size()));
    }
    std::vector<Byte> bytes;
    TCustomMemoryStream stream;
    TReader reader;
};

class TFontLike : public TPersistent {
    CLASSLIB_CLASS(TFontLike, TPersistent)
    AnsiString GetName() const { return name; }
    void SetName(const AnsiString& v) { name = v; }
    AnsiString name = "Tahoma";
};

enum TStyle { stPlain, stBold, stFancy };

// A component with one published property of every kind, an owned object and defined entries.
class TSample : public TComponent {
    CLASSLIB_COMPONENT(TSample, TComponent)
    explicit TSample(TComponent* owner) : TComponent(owner) { font = MakeObject<TFontLike>(); }

    WideString GetCaption() const { return caption; }
    void SetCaption(const WideString& v) { caption = v; }
    std::int8_t GetSmall() const { return small; }
    void SetSmall(std::int8_t v) { small = v; }
    std::int64_t GetBig() const { return big; }
    void SetBig(std::int64_t v) { big = v; }
    double GetRatio() const { return ratio; }
    void SetRatio(double v) { ratio = v; }
    TStyle GetStyle() const { return style; }
    void SetStyle(TStyle v) { style = v; }
    std::uint32_t GetFlags() const { return flags; }
    void SetFlags(std::uint32_t v) { flags = v; }
    bool GetShown() const { return shown; }
    void SetShown(bool v) { shown = v; }
    AnsiString GetHint() const { return hint; }
    void SetHint(const AnsiString& v) { hint = v; }
    WideChar GetMark() const { return mark; }
    void SetMark(WideChar v) { mark = v; }
    TFontLike* GetFont() const { return font.get(); }

    void DefineProperties(TFiler* filer) override {
        TComponent::DefineProperties(filer);
        filer->DefineProperty(
            "HintW", [this](TReader& r) { wideHint = r.ReadWideString(); },
            [this](TWriter& w) { w.WriteWideString(wideHint); }, !wideHint.empty());
        filer->DefineBinaryProperty(
            "Blob",
            [this](TStream& s) {
                blob.resize(std::size_t(s.Size()));
                s.ReadBuffer(blob.data(), std::int32_t(blob.size()));
            },
            [this](TStream& s) { s.WriteBuffer(blob.data(), std::int32_t(blob.size())); }, !blob.empty());
        // Read-only entry, never written.
        filer->DefineProperty(
            "Legacy", [this](TReader& r) { legacy = r.ReadString(); }, nullptr, false);
    }
    void Loaded() override {
        TComponent::Loaded();
        loadedOrder.push_back(Name());
    }

    static inline std::vector<AnsiString> loadedOrder;
    WideString caption;
    std::int8_t small = 0;
    std::int64_t big = 0;
    double ratio = 0;
    TStyle style = stPlain;
    std::uint32_t flags = 0;
    bool shown = false;
    AnsiString hint;
    WideChar mark = 0;
    TObjectPtr<TFontLike> font;
    WideString wideHint;
    std::vector<Byte> blob;
    AnsiString legacy;
};

// Children are the owned components (what a form streams for its non-visual components).
class TSampleRoot : public TSample {
    CLASSLIB_COMPONENT(TSampleRoot, TSample)
    using TSample::TSample;
    void GetChildren(TGetChildProc proc, TComponent* root) override {
        for (int i = 0; i < ComponentCount(); ++i) proc(Components(i));
    }
};

void PublishSample() {
    static bool done = false;
    if (done) return;
    done = true;
    PublishString<TFontLike>("Name", &TFontLike::GetName, &TFontLike::SetName);
    PublishWideString<TSample>("Caption", &TSample::GetCaption, &TSample::SetCaption);
    PublishOrdinal<TSample>("Small", &TSample::GetSmall, &TSample::SetSmall);
    PublishOrdinal<TSample>("Big", &TSample::GetBig, &TSample::SetBig);
    PublishFloat<TSample>("Ratio", &TSample::GetRatio, &TSample::SetRatio);
    PublishEnum<TSample>("Style", {"stPlain", "stBold", "stFancy"}, &TSample::GetStyle, &TSample::SetStyle);
    PublishSet<TSample>("Flags", {"fA", "fB", "fC"}, &TSample::GetFlags, &TSample::SetFlags);
    PublishBoolean<TSample>("Shown", &TSample::GetShown, &TSample::SetShown);
    PublishString<TSample>("Hint", &TSample::GetHint, &TSample::SetHint);
    PublishWideChar<TSample>("Mark", &TSample::GetMark, &TSample::SetMark);
    PublishObject<TSample>("Font", &TSample::GetFont);
    PublishEvent<TSample>("OnClick");
    RegisterClass(TSample::StaticClass());
    RegisterClass(TSampleRoot::StaticClass());
}

}  // namespace

TEST(FilerValues, EveryValueTypeRoundTrips) {
    TMemoryStream s;
    TWriter w(s);
    const std::int64_t ints[] = {0,         -128,     127,   -129,      128,       -32768,
                                 32767,     -32769,   32768, INT32_MIN, INT32_MAX, std::int64_t(INT32_MAX) + 1,
                                 INT64_MIN, INT64_MAX};
    for (std::int64_t v : ints) w.WriteInteger(v);
    const double floats[] = {0.0, -0.0, 1.0, -2.5, 0.1, 1e300, -1e-300, 5e-324, std::numeric_limits<double>::max()};
    for (double v : floats) w.WriteFloat(v);
    w.WriteFloat(std::numeric_limits<double>::infinity());
    w.WriteFloat(std::numeric_limits<double>::quiet_NaN());
    w.WriteBoolean(true);
    w.WriteBoolean(false);
    w.WriteString("");
    w.WriteString(std::string(255, 'x'));
    w.WriteString(std::string(256, 'y'));
    w.WriteWideString(u"Gr\u00FC\u00DFe \U0001F600");
    w.WriteUTF8String("caf\xC3\xA9");
    w.WriteIdent("clWindow");
    w.WriteIdent("true");
    w.WriteIdent("NIL");
    w.WriteSet(0x5, {"a", "b", "c"});
    w.WriteListBegin();
    w.WriteInteger(1);
    w.WriteListEnd();

    Input in(Bytes(s));
    TReader& r = in.reader;
    for (std::int64_t v : ints) EXPECT_EQ(r.ReadInt64(), v);
    for (double v : floats) {
        const double got = r.ReadFloat();
        EXPECT_EQ(got, v);
        EXPECT_EQ(std::signbit(got), std::signbit(v));
    }
    EXPECT_TRUE(std::isinf(r.ReadFloat()));
    EXPECT_TRUE(std::isnan(r.ReadFloat()));
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_FALSE(r.ReadBoolean());
    EXPECT_EQ(r.ReadString(), "");
    EXPECT_EQ(r.NextValue(), vaString);
    EXPECT_EQ(r.ReadString(), std::string(255, 'x'));
    EXPECT_EQ(r.NextValue(), vaLString);
    EXPECT_EQ(r.ReadString(), std::string(256, 'y'));
    EXPECT_EQ(r.ReadWideString(), u"Gr\u00FC\u00DFe \U0001F600");
    EXPECT_EQ(r.ReadWideString(), u"caf\u00E9");
    EXPECT_EQ(r.ReadIdent(), "clWindow");
    EXPECT_EQ(r.NextValue(), vaTrue);
    EXPECT_EQ(r.ReadIdent(), "True");
    EXPECT_EQ(r.ReadIdent(), "nil");
    EXPECT_EQ(r.ReadSet({"a", "b", "c"}), 0x5u);
    r.ReadListBegin();
    EXPECT_FALSE(r.EndOfList());
    EXPECT_EQ(r.ReadInteger(), 1);
    EXPECT_TRUE(r.EndOfList());
    r.ReadListEnd();
    EXPECT_EQ(in.stream.Remaining(), 0);
}

TEST(FilerValues, FixedCodesAndLayouts) {
    TMemoryStream s;
    TWriter w(s);
    w.WriteString("ab");
    w.WriteString(std::string(300, 'z'));
    w.WriteWideString(u"A\u0416");
    w.WriteInteger(-2);
    w.WriteInteger(0x1234);
    w.WriteFloat(1.0);
    w.WriteFloat(-3.0);
    const std::vector<Byte> b = Bytes(s);
    // Short 8-bit string: code 6, 1-byte length.
    EXPECT_EQ(std::vector<Byte>(b.begin(), b.begin() + 4), (std::vector<Byte>{6, 2, 'a', 'b'}));
    // Long 8-bit string: code 12, 4-byte length.
    EXPECT_EQ(std::vector<Byte>(b.begin() + 4, b.begin() + 9), (std::vector<Byte>{12, 0x2C, 0x01, 0, 0}));
    // Wide string: code 18, length in characters, UTF-16LE.
    std::size_t at = 4 + 5 + 300;
    EXPECT_EQ(std::vector<Byte>(b.begin() + at, b.begin() + at + 9),
              (std::vector<Byte>{18, 2, 0, 0, 0, 'A', 0, 0x16, 0x04}));
    at += 9;
    EXPECT_EQ(std::vector<Byte>(b.begin() + at, b.begin() + at + 5), (std::vector<Byte>{2, 0xFE, 3, 0x34, 0x12}));
    at += 5;
    // 1.0: mantissa with the explicit integer bit, exponent bias 16383.
    EXPECT_EQ(std::vector<Byte>(b.begin() + at, b.begin() + at + 11),
              (std::vector<Byte>{5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
    at += 11;
    EXPECT_EQ(std::vector<Byte>(b.begin() + at, b.begin() + at + 11),
              (std::vector<Byte>{5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0x00, 0xC0}));
}

TEST(FilerValues, StringsConvertBetweenWidths) {
    TMemoryStream s;
    TWriter w(s);
    w.WriteString("plain");
    w.WriteWideString(u"wide");
    w.WriteUTF8String("utf");
    Input in(Bytes(s));
    EXPECT_EQ(in.reader.ReadWideString(), u"plain");
    EXPECT_EQ(in.reader.ReadString(), "wide");
    EXPECT_EQ(in.reader.ReadString(), "utf");
    // Reading a value as the wrong kind is a reading error.
    Input wrong({vaInt8, 5});
    EXPECT_THROW(wrong.reader.ReadString(), EReadError);
    Input notBool({vaInt8, 1});
    EXPECT_THROW(notBool.reader.ReadBoolean(), EReadError);
    Input tooBig({vaInt64, 0, 0, 0, 0, 1, 0, 0, 0});
    EXPECT_THROW(tooBig.reader.ReadInteger(), EReadError);
}

TEST(FilerValues, TruncatedAndMalformedInputRaisesReadErrors) {
    TMemoryStream s;
    TWriter w(s);
    w.WriteInteger(100000);
    w.WriteString(std::string(300, 'q'));
    w.WriteWideString(u"wide text");
    w.WriteFloat(2.5);
    w.WriteSet(3, {"a", "b"});
    w.WriteListBegin();
    w.WriteIdent("x");
    w.WriteListEnd();
    const std::vector<Byte> full = Bytes(s);
    auto readAll = [](TReader& r) {
        r.ReadInteger();
        r.ReadString();
        r.ReadWideString();
        r.ReadFloat();
        r.ReadSet({"a", "b"});
        r.SkipValue();
    };
    {
        Input in(full);
        EXPECT_NO_THROW(readAll(in.reader));
    }
    // Every cut short of the end fails cleanly.
    for (std::size_t n = 0; n < full.size(); ++n) {
        Input in(std::vector<Byte>(full.begin(), full.begin() + std::ptrdiff_t(n)));
        EXPECT_THROW(readAll(in.reader), EReadError) << "cut at " << n;
    }
    // Lengths far beyond the data are refused before anything is allocated.
    Input hugeWide({vaWString, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0});
    EXPECT_THROW(hugeWide.reader.ReadWideString(), EReadError);
    Input hugeLong({vaLString, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_THROW(hugeLong.reader.ReadString(), EReadError);
    Input hugeSkip({vaBinary, 0xFF, 0xFF, 0xFF, 0x7F});
    EXPECT_THROW(hugeSkip.reader.SkipValue(), EReadError);
    Input unknownCode({17, 0, 0});
    EXPECT_THROW(unknownCode.reader.SkipValue(), EReadError);
    // Deep nesting is refused instead of exhausting the stack.
    Input deep(std::vector<Byte>(100000, vaList));
    EXPECT_THROW(deep.reader.SkipValue(), EReadError);
}

TEST(PropertyStream, PublishedOwnedAndDefinedPropertiesRoundTrip) {
    PublishSample();
    TObjectPtr<TSample> a(Create<TSample>(nullptr));
    a->caption = u"\u041F\u0440\u0438\u0432\u0435\u0442";
    a->small = -7;
    a->big = INT64_MIN + 1;
    a->ratio = 0.3;
    a->style = stFancy;
    a->flags = 6;
    a->shown = true;
    a->hint = "tip";
    a->mark = u'\u2022';
    a->font->name = "Segoe UI";
    a->wideHint = u"wide \u00E9";
    a->blob = {1, 2, 3, 0, 255};
    a->legacy = "never written";

    TMemoryStream s;
    TWriter w(s);
    w.WriteProperties(a.get());
    w.WriteListEnd();

    TObjectPtr<TSample> b(Create<TSample>(nullptr));
    Input in(Bytes(s));
    in.reader.ReadProperties(b.get());
    EXPECT_EQ(b->caption, a->caption);
    EXPECT_EQ(b->small, -7);
    EXPECT_EQ(b->big, INT64_MIN + 1);
    EXPECT_EQ(b->ratio, 0.3);
    EXPECT_EQ(b->style, stFancy);
    EXPECT_EQ(b->flags, 6u);
    EXPECT_TRUE(b->shown);
    EXPECT_EQ(b->hint, "tip");
    EXPECT_EQ(b->mark, u'\u2022');
    EXPECT_EQ(b->font->name, "Segoe UI");
    EXPECT_EQ(b->wideHint, a->wideHint);
    EXPECT_EQ(b->blob, a->blob);
    EXPECT_EQ(b->legacy, "");  // has-data false: not in the stream
    EXPECT_EQ(in.stream.Remaining(), 0);
}

TEST(PropertyStream, BadEntriesAreReadingErrors) {
    PublishSample();
    TObjectPtr<TSample> c(Create<TSample>(nullptr));
    auto entry = [](const char* name, std::vector<Byte> value) {
        std::vector<Byte> b{Byte(std::strlen(name))};
        b.insert(b.end(), name, name + std::strlen(name));
        b.insert(b.end(), value.begin(), value.end());
        return b;
    };
    // A value outside the property's type, an unknown enumeration name, a character of two.
    Input range(entry("Small", {vaInt16, 0xE8, 0x03}));
    EXPECT_THROW(range.reader.ReadProperty(c.get()), EReadError);
    Input ident(entry("Style", {vaIdent, 3, 'b', 'a', 'd'}));
    EXPECT_THROW(ident.reader.ReadProperty(c.get()), EReadError);
    Input mark(entry("Mark", {vaWString, 2, 0, 0, 0, 'a', 0, 'b', 0}));
    try {
        mark.reader.ReadProperty(c.get());
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Invalid property value");
    }
    Input missing(entry("Nothing", {vaInt8, 1}));
    EXPECT_THROW(missing.reader.ReadProperty(c.get()), EReadError);
    Input badPath(entry("Caption.X", {vaInt8, 1}));
    EXPECT_THROW(badPath.reader.ReadProperty(c.get()), EReadError);
    // A defined read-only entry is read even though it is never written; an 8-bit value for it too.
    Input legacy(entry("legacy", {vaString, 2, 'o', 'k'}));
    legacy.reader.ReadProperty(c.get());
    EXPECT_EQ(c->legacy, "ok");
    // A binary entry's handler sees only the entry's bytes.
    Input blob(entry("Blob", {vaBinary, 2, 0, 0, 0, 9, 8, vaNull}));
    blob.reader.ReadProperty(c.get());
    EXPECT_EQ(c->blob, (std::vector<Byte>{9, 8}));
    EXPECT_EQ(blob.reader.NextValue(), vaNull);
    // Events are bound in code: a stored handler name is skipped.
    Input event(entry("OnClick", {vaIdent, 2, 'O', 'k'}));
    EXPECT_NO_THROW(event.reader.ReadProperty(c.get()));
}

TEST(PropertyStream, ComponentsRoundTripAndLoadRootFirst) {
    PublishSample();
    TObjectPtr<TSampleRoot> root(Create<TSampleRoot>(nullptr));
    root->SetName("Form1");
    root->caption = u"Main";
    TSample* one = Create<TSample>(root.get());
    one->SetName("One");
    one->small = 5;
    TSample* two = Create<TSample>(root.get());
    two->SetName("Two");
    two->hint = "second";
    TMemoryStream s;
    TWriter w(s);
    w.WriteRootComponent(root.get());

    TSample::loadedOrder.clear();
    Input in(Bytes(s));
    TObjectPtr<TSampleRoot> copy(static_cast<TSampleRoot*>(in.reader.ReadRootComponent(nullptr)));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->Name(), "Form1");
    EXPECT_EQ(copy->caption, u"Main");
    ASSERT_EQ(copy->ComponentCount(), 2);
    EXPECT_EQ(copy->Components(0)->Name(), "One");
    EXPECT_EQ(static_cast<TSample*>(copy->Components(0))->small, 5);
    EXPECT_EQ(static_cast<TSample*>(copy->FindComponent("Two"))->hint, "second");
    EXPECT_EQ(TSample::loadedOrder, (std::vector<AnsiString>{"Form1", "One", "Two"}));
    for (TComponent* c : {static_cast<TComponent*>(copy.get()), copy->Components(0), copy->Components(1)}) {
        EXPECT_FALSE(c->ComponentState().Contains(csLoading));
        EXPECT_FALSE(c->ComponentState().Contains(csReading));
    }
}

TEST(PropertyStream, AFailedReadFreesWhatItCreated) {
    PublishSample();
    TObjectPtr<TSampleRoot> source(Create<TSampleRoot>(nullptr));
    source->SetName("Form1");
    Create<TSample>(source.get())->SetName("Good");
    TMemoryStream s;
    TWriter w(s);
    w.WriteRootComponent(source.get());
    std::vector<Byte> bytes = Bytes(s);
    // Cut the stream inside the second component's data: the first child was made, then the read fails.
    Create<TSample>(source.get())->SetName("Second");
    TMemoryStream s2;
    TWriter w2(s2);
    w2.WriteRootComponent(source.get());
    std::vector<Byte> longer = Bytes(s2);
    longer.resize(longer.size() - 4);

    TObjectPtr<TSampleRoot> target(Create<TSampleRoot>(nullptr));
    TSample::loadedOrder.clear();
    Input in(longer);
    EXPECT_THROW(in.reader.ReadRootComponent(target.get()), EReadError);
    EXPECT_EQ(target->ComponentCount(), 0);
    EXPECT_FALSE(target->ComponentState().Contains(csLoading));
    EXPECT_FALSE(target->ComponentState().Contains(csReading));
    EXPECT_TRUE(TSample::loadedOrder.empty());

    // An unknown class is named in the error.
    std::vector<Byte> unknown = {'T', 'P', 'F', '0', 5, 'T', 'N', 'o', 'p', 'e', 1, 'X', vaNull, vaNull};
    Input in2(unknown);
    EXPECT_THROW(in2.reader.ReadRootComponent(nullptr), EClassNotFound);
    Input in3(std::vector<Byte>{'T', 'P', 'F', '1'});
    EXPECT_THROW(in3.reader.ReadRootComponent(target.get()), EReadError);
}

namespace {

class TPanelItem : public TCollectionItem {
    CLASSLIB_CLASS(TPanelItem, TCollectionItem)
    using TCollectionItem::TCollectionItem;
    std::int32_t GetWidth() const { return width; }
    void SetWidth(std::int32_t v) { width = v; }
    AnsiString GetText() const { return text; }
    void SetText(const AnsiString& v) { text = v; }
    std::int32_t width = 0;
    AnsiString text;
};

class TBar : public TComponent {
    CLASSLIB_COMPONENT(TBar, TComponent)
    explicit TBar(TComponent* owner) : TComponent(owner) {
        panels = MakeObject<TCollection>(TCollectionItemClass::Of<TPanelItem>());
    }
    TCollection* GetPanels() const { return panels.get(); }
    TObjectPtr<TCollection> panels;
};

}  // namespace

TEST(PropertyStream, CollectionsRoundTripAndReplaceTheItems) {
    static bool published = false;
    if (!published) {
        published = true;
        PublishOrdinal<TPanelItem>("Width", &TPanelItem::GetWidth, &TPanelItem::SetWidth);
        PublishString<TPanelItem>("Text", &TPanelItem::GetText, &TPanelItem::SetText);
        PublishObject<TBar>("Panels", &TBar::GetPanels);
    }
    TObjectPtr<TBar> a(Create<TBar>(nullptr));
    for (int i = 0; i < 3; ++i) {
        auto* item = static_cast<TPanelItem*>(a->panels->Add());
        item->width = 50 * (i + 1);
        item->text = "p" + std::to_string(i);
    }
    TMemoryStream s;
    TWriter w(s);
    w.WriteProperties(a.get());
    w.WriteListEnd();
    const std::vector<Byte> bytes = Bytes(s);

    TObjectPtr<TBar> b(Create<TBar>(nullptr));
    b->panels->Add();  // replaced by what is read
    Input in(bytes);
    in.reader.ReadProperties(b.get());
    ASSERT_EQ(b->panels->Count(), 3);
    EXPECT_EQ(static_cast<TPanelItem*>(b->panels->Items(2))->width, 150);
    EXPECT_EQ(static_cast<TPanelItem*>(b->panels->Items(1))->text, "p1");
    EXPECT_EQ(b->panels->UpdateCount(), 0);

    // A cut stream fails and leaves the update bracket closed.
    TObjectPtr<TBar> c(Create<TBar>(nullptr));
    Input cut(std::vector<Byte>(bytes.begin(), bytes.end() - 6));
    EXPECT_THROW(cut.reader.ReadProperties(c.get()), EReadError);
    EXPECT_EQ(c->panels->UpdateCount(), 0);
}

TEST(PropertyRegistry, PublishedPropertiesListBaseFirstAndFindDerivedFirst) {
    PublishSample();
    class TMore : public TSample {
        CLASSLIB_COMPONENT(TMore, TSample)
        using TSample::TSample;
        AnsiString GetHint2() const { return AnsiString(); }
        void SetHint2(const AnsiString&) {}
    };
    UnregisterPropInfos(TMore::StaticClass());
    PublishString<TMore>("Extra", &TMore::GetHint2, &TMore::SetHint2);
    PublishString<TMore>("Hint", &TMore::GetHint2, &TMore::SetHint2);
    const auto list = GetPropList(TMore::StaticClass());
    ASSERT_GE(list.size(), 3u);
    EXPECT_EQ(list.front()->Name, "Caption");
    EXPECT_EQ(list[list.size() - 2]->Name, "Extra");
    EXPECT_EQ(GetPropInfo(TMore::StaticClass(), "hint")->Owner, TMore::StaticClass());
    EXPECT_EQ(GetPropInfo(TSample::StaticClass(), "HINT")->Owner, TSample::StaticClass());
    EXPECT_EQ(GetPropInfo(TSample::StaticClass(), "Extra"), nullptr);
    EXPECT_THROW(PublishString<TMore>("extra", &TMore::GetHint2, &TMore::SetHint2), EInvalidOperation);
    UnregisterPropInfos(TMore::StaticClass());
}

namespace {

std::vector<AnsiString> gBuilt;

class TBaseForm : public TSample {
    CLASSLIB_COMPONENT(TBaseForm, TSample)
    using TSample::TSample;
};
class TMidForm : public TBaseForm {
    CLASSLIB_COMPONENT(TMidForm, TBaseForm)
    using TBaseForm::TBaseForm;
};
class TLeafForm : public TMidForm {
    CLASSLIB_COMPONENT(TLeafForm, TMidForm)
    using TMidForm::TMidForm;
};

void BuildBase(TComponent* root) {
    gBuilt.push_back("base");
    EXPECT_TRUE(root->ComponentState().Contains(csLoading));
    Create<TSample>(root)->SetName("Panel");
}
void BuildLeaf(TComponent* root) {
    gBuilt.push_back("leaf");
    // The base's components are there already.
    EXPECT_NE(root->FindComponent("Panel"), nullptr);
    Create<TSample>(root)->SetName("Button");
}
void BuildFailing(TComponent* root) {
    Create<TSample>(root)->SetName("Half");
    throw EInvalidOperation("builder failed");
}

}  // namespace

TEST(FormBuilders, RunBaseFirstThenLoadEverything) {
    RegisterFormBuilder(TBaseForm::StaticClass(), &BuildBase);
    RegisterFormBuilder(TLeafForm::StaticClass(), &BuildLeaf);
    gBuilt.clear();
    TSample::loadedOrder.clear();
    TObjectPtr<TLeafForm> form(Create<TLeafForm>(nullptr));
    form->SetName("Leaf");
    EXPECT_TRUE(InitInheritedComponent(form.get(), TSample::StaticClass()));
    EXPECT_EQ(gBuilt, (std::vector<AnsiString>{"base", "leaf"}));
    EXPECT_EQ(TSample::loadedOrder, (std::vector<AnsiString>{"Leaf", "Panel", "Button"}));
    EXPECT_FALSE(form->ComponentState().Contains(csLoading));
    // Nothing between the class and the ancestor: no builder ran.
    TObjectPtr<TLeafForm> other(Create<TLeafForm>(nullptr));
    EXPECT_FALSE(InitInheritedComponent(other.get(), TLeafForm::StaticClass()));
    EXPECT_EQ(other->ComponentCount(), 0);

    RegisterFormBuilder(TMidForm::StaticClass(), &BuildFailing);
    TObjectPtr<TLeafForm> failing(Create<TLeafForm>(nullptr));
    EXPECT_THROW(InitInheritedComponent(failing.get(), TSample::StaticClass()), EInvalidOperation);
    EXPECT_EQ(failing->ComponentCount(), 0);
    EXPECT_FALSE(failing->ComponentState().Contains(csLoading));
    // The lock was given back.
    EXPECT_TRUE(GlobalNameSpace().BeginWrite());
    GlobalNameSpace().EndWrite();

    RegisterFormBuilder(TMidForm::StaticClass(), nullptr);
    RegisterFormBuilder(TBaseForm::StaticClass(), nullptr);
    RegisterFormBuilder(TLeafForm::StaticClass(), nullptr);
    EXPECT_EQ(FindFormBuilder(TBaseForm::StaticClass()), nullptr);
}
