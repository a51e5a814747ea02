#include <gtest/gtest.h>

#include "classlib/core/TComponent.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TypInfo.h"
#include "unicode/core/TUniStrings.h"
#include "unicode/core/WideProperties.h"

namespace {

class TWideProbe : public TPersistent {
    CLASSLIB_CLASS(TWideProbe, TPersistent)
public:
    WideString GetCaption() const { return caption_; }
    void SetCaption(const WideString& v) { caption_ = v; }
    WideChar GetPasswordChar() const { return password_; }
    void SetPasswordChar(WideChar c) { password_ = c; }
    void DefineProperties(TFiler* filer) override {
        TPersistent::DefineProperties(filer);
        uni::DefineWideProperties(filer, this);
    }

private:
    WideString caption_ = u"start";
    WideChar password_ = u'*';
};

class WideProperties : public ::testing::Test {
protected:
    void SetUp() override {
        PublishWideString<TWideProbe>("Caption", &TWideProbe::GetCaption, &TWideProbe::SetCaption);
        PublishWideChar<TWideProbe>("PasswordChar", &TWideProbe::GetPasswordChar, &TWideProbe::SetPasswordChar);
    }
    void TearDown() override {
        UnregisterPropInfos(TWideProbe::StaticClass());
        uni::SetUtfStreamingHelp(false);
    }
    // Reads one entry: name, then a value of type 6 (8-bit) or 18 (wide) holding text.
    void Read(const std::string& name, bool wide, const std::u16string& text, TComponent* owner = nullptr) {
        std::string bytes(1, char(name.size()));
        bytes += name;
        if (wide) {
            bytes += char(18);
            for (int i = 0; i < 4; ++i) bytes += char(text.size() >> (8 * i));
            for (char16_t c : text) bytes += char(c & 0xFF), bytes += char(c >> 8);
        } else {
            bytes += char(6);
            bytes += char(text.size());
            for (char16_t c : text) bytes += char(c);
        }
        TMemoryStream s;
        s.WriteBuffer(bytes.data(), std::int32_t(bytes.size()));
        s.SetPosition(0);
        TReader reader(s);
        reader.SetOwner(owner);
        reader.ReadProperty(&probe);
        EXPECT_EQ(s.Position(), s.Size());
    }
    TWideProbe probe;
};

}  // namespace

TEST_F(WideProperties, WideCharacterEntriesAlwaysApply) {
    Read("PasswordCharW", true, u"\u2022");
    EXPECT_EQ(probe.GetPasswordChar(), u'\u2022');
    Read("PasswordCharW", false, u"#");
    EXPECT_EQ(probe.GetPasswordChar(), u'#');
    Read("PasswordCharW", false, u"");
    EXPECT_EQ(probe.GetPasswordChar(), u'\0');
    Read("PasswordChar_UTF7", false, u"+ICI-x");
    EXPECT_EQ(probe.GetPasswordChar(), u'\u2022');
    Read("PasswordChar_UTF7", false, u"");
    EXPECT_EQ(probe.GetPasswordChar(), u'\0');
    try {
        Read("PasswordCharW", true, u"ab");
        FAIL() << "two characters accepted";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find("Invalid property value"), std::string::npos) << e.Message();
    }
}

TEST_F(WideProperties, WideStringEntriesNeedStreamingHelpAndAnOwner) {
    TComponent owner(nullptr);
    Read("CaptionW", false, u"\u00d0\u009f", &owner);  // the UTF-8 bytes of U+041F
    Read("Caption_UTF7", false, u"+BB8-", &owner);
    EXPECT_EQ(probe.GetCaption(), u"start");
    uni::SetUtfStreamingHelp(true);
    Read("CaptionW", false, u"\u00d0\u009f");
    EXPECT_EQ(probe.GetCaption(), u"start");
    Read("CaptionW", false, u"\u00d0\u009f", &owner);
    EXPECT_EQ(probe.GetCaption(), u"\u041f");
    Read("Caption_UTF7", false, u"+AOk-", &owner);
    EXPECT_EQ(probe.GetCaption(), u"\u00e9");
    // A malformed UTF-7 value is refused even when it would not be applied.
    uni::SetUtfStreamingHelp(false);
    EXPECT_ANY_THROW(Read("Caption_UTF7", false, u"+.", &owner));
}
