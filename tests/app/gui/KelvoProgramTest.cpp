// The program's exit code survives its shut-down: a SaveState that raises, an exception leaving a
// destructor, a crash while the units end. Each case runs the whole program in a child process.
#include <stdexcept>

#include "app/win/KelvoProgram.h"
#include "app/win/TKelvoModule.h"
#include "tests/app/gui/KelvoAppTestSupport.h"

namespace {

enum class Ending { saveRaises, destructorRaises, destructorCrashes };
Ending ending = Ending::saveRaises;

void Fail() { throw std::runtime_error("shut-down failed"); }

class TFailingModule : public TKelvoModule {
    CLASSLIB_COMPONENT(TFailingModule, TKelvoModule)
    explicit TFailingModule(TComponent* owner) : TKelvoModule(owner) {}
    ~TFailingModule() override {
        if (ending == Ending::destructorRaises) Fail();  // leaves a noexcept destructor: the runtime ends
        if (ending == Ending::destructorCrashes) *static_cast<volatile int*>(nullptr) = 1;
    }
    void SaveState(TKelvoSDFWriter&) override { Fail(); }
};

struct TQuietErrors : TObject {
    void Record(TObject*, const Exception&) {}
};
TQuietErrors quiet;

void CreateFailingProgram() {
    Application->OnException = MakeMethod<&TQuietErrors::Record>(&quiet);
    KelvoApplication->SetRunFlag(false);  // no main form, no message loop
    TFailingModule* module = nullptr;
    KelvoApplication->CreateModule(TFailingModule::StaticClass(), module);
    ExitCode = 5;
}

}  // namespace

TEST(KelvoProgram, TheExitCodeTheProgramSetSurvivesEveryFailureOfTheShutDown) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (Ending e : {Ending::saveRaises, Ending::destructorRaises, Ending::destructorCrashes}) {
        ending = e;
        EXPECT_EXIT(std::exit(kelvo::RunKelvoProgram(&CreateFailingProgram)), ::testing::ExitedWithCode(5), "")
            << "ending " << int(e);
    }
}
