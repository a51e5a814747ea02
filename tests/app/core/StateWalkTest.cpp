// The state walks over the top-level components: order of the hooks, components that raise, and the bytes
// that reach the state file.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "app/core/IKelvoStatefulComponent.h"
#include "app/core/KelvoStateWalk.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "classlib/core/Stream.h"
#include "classlib/core/TComponent.h"

namespace {

enum Fault { none, loadRaisesInsideNode, initializeRaises, saveRaisesInsideNode };

std::string walkLog;

class TMockState : public TComponent, public IKelvoStatefulComponent {
public:
    TMockState(TComponent* owner, char name, Fault fault) : TComponent(owner), name_(name), fault_(fault) {}

    void LoadState(TKelvoSDFReader& reader) override {
        walkLog += std::string("L") + name_;
        if (!reader.OpenNode(1, Key())) return;
        if (fault_ == loadRaisesInsideNode) throw std::runtime_error("damaged node");
        reader.ReadInteger(1, loaded);
        reader.CloseNode();
    }
    void Initialize() override {
        walkLog += std::string("I") + name_;
        if (fault_ == initializeRaises) throw std::runtime_error("cannot initialise");
    }
    void Start() override { walkLog += std::string("S") + name_; }
    void SaveState(TKelvoSDFWriter& writer) override {
        writer.BeginNode(1, Key());
        writer.WriteInteger(1, name_);
        if (fault_ == saveRaisesInsideNode) throw std::runtime_error("cannot save");
        writer.EndNode();
    }
    // Each component's own GUID: name in the first field.
    TGUID Key() const {
        TGUID g = TGUID::Parse("{00000000-44F0-4B60-B45D-21D0EBC05E33}");
        g.D1 = std::uint32_t(name_);
        return g;
    }

    std::int32_t loaded = 0;

private:
    char name_;
    Fault fault_;
};

struct Reports {
    int count = 0;
    void Report() { ++count; }
    TKelvoMethod Method() { return MakeMethod<&Reports::Report>(this); }
};

// A state file holding one node per name, each with its name as item 1.
void SaveStateOf(TComponent& owner, TMemoryStream& s) {
    Reports reports;
    SaveComponentStates(owner, s, reports.Method());
    s.SetPosition(0);
}

}  // namespace

TEST(StateWalk, ALoadStateThatRaisesInsideItsNodeCostsOnlyThatComponentItsState) {
    TComponent source(nullptr);
    new TMockState(&source, 'a', none);
    new TMockState(&source, 'b', none);
    new TMockState(&source, 'c', none);
    TMemoryStream file;
    SaveStateOf(source, file);
    TKelvoSDFReader reader(&file);

    TComponent app(nullptr);
    auto* a = new TMockState(&app, 'a', none);
    auto* b = new TMockState(&app, 'b', loadRaisesInsideNode);
    new TComponent(&app);  // not stateful: skipped
    auto* c = new TMockState(&app, 'c', none);
    walkLog.clear();
    Reports reports;
    LoadComponentStates(app, &reader, reports.Method());
    EXPECT_EQ(walkLog, "LaIaLbIbLcIcSaSbSc");  // every component loaded and initialised before any starts
    EXPECT_EQ(a->loaded, 'a');
    EXPECT_EQ(b->loaded, 0);
    EXPECT_EQ(c->loaded, 'c');  // found its node although b left the reader inside its own
    EXPECT_TRUE(reader.AtRoot());
    EXPECT_EQ(reports.count, 0);  // a damaged node is no error to show
}

TEST(StateWalk, AnInitializeThatRaisesIsReportedAndEveryComponentStillStarts) {
    TComponent app(nullptr);
    new TMockState(&app, 'a', initializeRaises);
    new TMockState(&app, 'b', none);
    walkLog.clear();
    Reports reports;
    LoadComponentStates(app, nullptr, reports.Method());  // no state file: no LoadState at all
    EXPECT_EQ(walkLog, "IaIbSaSb");
    EXPECT_EQ(reports.count, 1);
}

TEST(StateWalk, ASaveStateThatRaisesIsCutOffAndTheOthersAreSavedWhole) {
    TComponent app(nullptr);
    new TMockState(&app, 'a', none);
    new TMockState(&app, 'b', saveRaisesInsideNode);
    new TMockState(&app, 'c', none);
    TMemoryStream s;
    Reports reports;
    SaveComponentStates(app, s, reports.Method());
    EXPECT_EQ(reports.count, 1);
    // Two whole nodes of 29 bytes each: header, id, type, size, 16 key bytes; the int item; the end.
    const std::vector<Byte> nodeA = {0xD5, 0x01, 0x0D, 0x10, 'a',  0,    0,    0,    0xF0, 0x44,
                                     0x60, 0x4B, 0xB4, 0x5D, 0x21, 0xD0, 0xEB, 0xC0, 0x5E, 0x33,
                                     0x55, 0x01, 0x05, 0x04, 'a',  0,    0,    0,    0x00};
    ASSERT_EQ(s.Size(), std::int64_t(2 * nodeA.size()));
    const Byte* bytes = static_cast<const Byte*>(s.Memory());
    EXPECT_EQ(std::vector<Byte>(bytes, bytes + nodeA.size()), nodeA);
    s.SetPosition(0);
    TKelvoSDFReader reader(&s);
    TComponent again(nullptr);
    auto* c = new TMockState(&again, 'c', none);
    LoadComponentStates(again, &reader, reports.Method());
    EXPECT_EQ(c->loaded, 'c');
}

TEST(StateWalk, StateFileNameInTheApplicationDataFolderOrBesideTheProgram) {
    EXPECT_EQ(ComposeStateFileName(u"C:\\P\\Tool.exe", u"C:\\Users\\u\\AppData\\Roaming"),
              u"C:\\Users\\u\\AppData\\Roaming\\Tool\\Tool.cfg");
    EXPECT_EQ(ComposeStateFileName(u"C:\\P\\Tool.exe", u"D:\\Data\\"), u"D:\\Data\\Tool\\Tool.cfg");
    EXPECT_EQ(ComposeStateFileName(u"C:\\P\\Tool.exe", u""), u"C:\\P\\Tool.cfg");
}
