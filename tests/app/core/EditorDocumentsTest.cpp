#include <gtest/gtest.h>

#include "tests/app/core/DocumentFakes.h"
#include "app/core/TKelvoGraphicsEditorDocuments.h"

using namespace docfakes;

namespace {

struct EditorTest : ::testing::Test {
    FakeUI ui;
    FakeFormats formats;
    Editor editor{ui, formats};

    TKelvoDocument* Open(const std::u16string& name) {
        TKelvoDocument* document = nullptr;
        editor.Open(name, &document, true);
        return document;
    }
};

}  // namespace

TEST_F(EditorTest, AFormatThatFailsOrRaisesFreesTheNewDocumentAndReportsTheFile) {
    ASSERT_NE(Open(u"C:\\a.jpg"), nullptr);
    EXPECT_EQ(liveDocuments, 1);
    for (auto outcome : {FakeFormats::Outcome::Fail, FakeFormats::Outcome::Raise}) {
        formats.LoadOutcome = outcome;
        ui.Errors.clear();
        TKelvoDocument* document = reinterpret_cast<TKelvoDocument*>(1);
        EXPECT_FALSE(editor.Open(u"C:\\broken.jpg", &document, true));
        EXPECT_EQ(document, nullptr);
        EXPECT_EQ(liveDocuments, 0);  // the half-built one is gone (and the saved one before it was closed)
        EXPECT_EQ(editor.GetDocumentCount(), 0);
        EXPECT_EQ(ui.Errors, (std::vector<std::u16string>{u"Cannot open the file C:\\broken.jpg."}));
    }
    EXPECT_EQ(editor.RecentFiles(), (std::vector<std::u16string>{u"C:\\a.jpg"}));
}

TEST_F(EditorTest, SavedOnlyAtThePositionOfTheLastLoadOrSave) {
    TKelvoDocument* d = Open(u"C:\\a.jpg");
    AddSteps(*d, 3);
    editor.UndoCommand();  // position 2
    EXPECT_FALSE(d->IsSaved());
    ui.DialogName = u"C:\\b";
    ASSERT_TRUE(editor.SaveActiveAs());
    EXPECT_TRUE(d->IsSaved());
    EXPECT_EQ(d->FileName(), u"C:\\b.jpg");

    editor.UndoAllCommand();  // back at the loaded image, which is not what C:\b.jpg holds
    EXPECT_FALSE(d->IsSaved());
    editor.RedoCommand();
    EXPECT_FALSE(d->IsSaved());
    editor.RedoCommand();  // the saved state again
    EXPECT_TRUE(d->IsSaved());
    editor.RedoCommand();
    EXPECT_FALSE(d->IsSaved());

    // A new step after undoing past the save drops the saved state for good.
    editor.UndoCommand();
    editor.UndoCommand();
    AddSteps(*d, 1);  // position 2 again, other content
    EXPECT_FALSE(d->IsSaved());
    editor.UndoCommand();
    editor.RedoCommand();
    EXPECT_FALSE(d->IsSaved());

    // So closing asks.
    EXPECT_FALSE(editor.CloseCommand());
    EXPECT_EQ(ui.Prompts, (std::vector<std::u16string>{u"Save changes to b.jpg?"}));
    EXPECT_EQ(editor.GetDocumentCount(), 1);  // Cancel keeps it
}

TEST_F(EditorTest, UndoingToTheLoadedImageMarksSavedRedoNever) {
    TKelvoDocument* d = Open(u"C:\\a.jpg");
    AddSteps(*d, 2);
    editor.UndoAllCommand();
    EXPECT_TRUE(d->IsSaved());
    editor.RedoAllCommand();
    EXPECT_FALSE(d->IsSaved());
    editor.UndoCommand();
    EXPECT_FALSE(d->IsSaved());
    editor.UndoCommand();
    EXPECT_TRUE(d->IsSaved());
    editor.RedoCommand();
    EXPECT_FALSE(d->IsSaved());

    // Without the history the commands do nothing.
    editor.SetHistoryEnabled(false);
    EXPECT_FALSE(editor.CanUndo());
    editor.UndoAllCommand();
    EXPECT_EQ(d->History().Position(), 1);
}

TEST_F(EditorTest, TheSavePromptDecidesWhetherADocumentCloses) {
    TKelvoDocument* d = Open(u"C:\\a.jpg");
    AddSteps(*d, 1);
    // Cancel keeps the document and stops the window closing; No closes without saving.
    ui.SaveAnswers = {KelvoIdCancel, KelvoIdNo};
    EXPECT_FALSE(editor.CloseQueryAll());
    EXPECT_EQ(editor.GetDocumentCount(), 1);
    EXPECT_TRUE(editor.CloseQueryAll());
    EXPECT_EQ(editor.GetDocumentCount(), 0);
    EXPECT_TRUE(formats.Saves.empty());

    // Yes runs Save As: a cancelled dialog keeps the document, a written file lets it go.
    d = Open(u"C:\\a.jpg");
    AddSteps(*d, 1);
    ui.SaveAnswers = {KelvoIdYes, KelvoIdYes};
    ui.DialogOk = false;
    EXPECT_FALSE(editor.CloseCommand());
    ui.DialogOk = true;
    EXPECT_TRUE(editor.CloseCommand());
    EXPECT_EQ(formats.Saves.size(), 1u);

    // Documents that must not ask, and an editor told not to, close at once.
    d = Open(u"C:\\a.jpg");
    AddSteps(*d, 1);
    d->SetNoPrompt(true);
    EXPECT_TRUE(editor.CloseCommand());
    d = Open(u"C:\\a.jpg");
    AddSteps(*d, 1);
    editor.SetAskToSave(false);
    EXPECT_TRUE(editor.CloseCommand());
    EXPECT_EQ(ui.Prompts.size(), 4u);
}

TEST_F(EditorTest, ClosingTheWindowAsksForTheLastDocumentFirst) {
    editor.SetMultiDocument(true);
    TKelvoDocument* first = Open(u"C:\\first.png");
    TKelvoDocument* second = Open(u"C:\\second.png");
    AddSteps(*first, 1);
    AddSteps(*second, 1);
    EXPECT_EQ(editor.GetActiveDocument(), second);
    ui.SaveAnswers = {KelvoIdNo, KelvoIdCancel};
    EXPECT_FALSE(editor.CloseQueryAll());
    EXPECT_EQ(ui.Prompts, (std::vector<std::u16string>{u"Save changes to second.png?", u"Save changes to first.png?"}));
    EXPECT_EQ(editor.GetActiveDocument(), first);
    EXPECT_EQ(ui.Captions.back(), u"Vantorel");  // several documents: the title alone

    // Activating moves a document to the end of the list.
    Open(u"C:\\third.png");
    editor.ActivateDocument(*first);
    EXPECT_EQ(editor.GetActiveDocument(), first);
    EXPECT_EQ(editor.GetDocumentCount(), 2);
}

TEST_F(EditorTest, SaveAsProposesTheFormatAndAsksBeforeReplacingAFile) {
    formats.LoadId = KelvoFormatPNG;
    TKelvoDocument* d = Open(u"C:\\in\\photo.png");
    EXPECT_EQ(ui.Captions.back(), u"Vantorel - photo.png");
    ui.DialogName = u"C:\\out\\x.jpeg";
    ui.DialogFilter = 0;
    ui.Existing = {u"C:\\out\\x.jpeg.jpg"};
    ui.OverwriteAnswer = KelvoIdNo;
    EXPECT_FALSE(editor.SaveActiveAs());
    EXPECT_EQ(ui.LastRequest.FileName, u"C:\\in\\photo");
    EXPECT_EQ(ui.LastRequest.FilterIndex, 2);
    EXPECT_EQ(ui.LastRequest.Formats.size(), 5u);
    EXPECT_EQ(ui.Overwrites,
              (std::vector<std::u16string>{u"C:\\out\\x.jpeg.jpg already exists.\nDo you want to replace it?"}));
    EXPECT_TRUE(formats.Saves.empty());

    ui.OverwriteAnswer = KelvoIdYes;
    ASSERT_TRUE(editor.SaveActiveAs());
    EXPECT_EQ(formats.Saves.back(), (std::pair<std::u16string, std::int32_t>{u"C:\\out\\x.jpeg.jpg", 0}));
    EXPECT_EQ(d->FormatId(), KelvoFormatJPEG);
    EXPECT_EQ(ui.Captions.back(), u"Vantorel - x.jpeg.jpg");

    // A failed write keeps the old name and the unsaved state.
    AddSteps(*d, 1);
    formats.SaveOk = false;
    ui.DialogName = u"C:\\out\\y";
    ui.DialogFilter = 3;
    EXPECT_FALSE(editor.SaveActiveAs());
    EXPECT_EQ(formats.Saves.back().first, u"C:\\out\\y.bmp");
    EXPECT_EQ(d->FileName(), u"C:\\out\\x.jpeg.jpg");
    EXPECT_FALSE(d->IsSaved());
}

TEST_F(EditorTest, AnImageOfNoTableFormatIsSavedThroughTheDialogAndNeverEntersPluginMode) {
    formats.LoadId = KelvoFormatOther;  // a GIF
    TKelvoDocument* d = Open(u"C:\\in\\anim.gif");
    EXPECT_FALSE(editor.PluginMode());
    EXPECT_EQ(ui.ExitCode, 1234);
    AddSteps(*d, 1);
    ui.SaveAnswers = {KelvoIdYes};
    ui.DialogName = u"C:\\in\\anim";
    ui.DialogFilter = 2;
    EXPECT_TRUE(editor.CloseCommand());
    EXPECT_EQ(ui.LastRequest.FilterIndex, 0);  // no row of its own: the first filter
    EXPECT_EQ(formats.Saves.back(), (std::pair<std::u16string, std::int32_t>{u"C:\\in\\anim.png", KelvoFormatPNG}));
}

TEST_F(EditorTest, PluginModeExitCodes) {
    formats.LoadId = KelvoFormatExchange;
    TKelvoDocument* d = Open(u"C:\\tmp\\x.tmp");
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(editor.PluginMode());
    EXPECT_EQ(ui.ExitCode, -1);
    EXPECT_EQ(ui.PluginEntered, 1);
    EXPECT_EQ(ui.Captions.back(), u"Vantorel");
    EXPECT_TRUE(editor.RecentFiles().empty());
    // Nothing else opens over the host's image; the Save As command does nothing.
    formats.LoadId = KelvoFormatJPEG;
    EXPECT_FALSE(editor.Open(u"C:\\other.jpg", nullptr, true));
    EXPECT_EQ(editor.GetActiveDocument(), d);
    EXPECT_FALSE(editor.SaveActiveAs());
    EXPECT_TRUE(formats.Saves.empty());

    // OK that cannot write keeps -1 and says so; OK that writes gives 0.
    formats.SaveOk = false;
    EXPECT_FALSE(editor.PluginOk());
    EXPECT_EQ(ui.ExitCode, -1);
    EXPECT_EQ(ui.Errors.size(), 1u);
    formats.SaveOk = true;
    EXPECT_TRUE(editor.PluginOk());
    EXPECT_EQ(ui.ExitCode, 0);
    EXPECT_EQ(formats.Saves.back(), (std::pair<std::u16string, std::int32_t>{u"C:\\tmp\\x.tmp", -1}));
}

TEST_F(EditorTest, PluginCancelKeepsMinusOneAndYesInThePromptWritesBack) {
    formats.LoadId = KelvoFormatExchange;
    TKelvoDocument* d = Open(u"C:\\tmp\\x.tmp");
    AddSteps(*d, 1);
    editor.PluginCancel();
    EXPECT_TRUE(d->IsSaved());
    EXPECT_TRUE(editor.CloseQueryAll());  // no prompt
    EXPECT_EQ(ui.ExitCode, -1);
    EXPECT_TRUE(ui.Prompts.empty());

    TKelvoDocument* e = nullptr;
    ASSERT_FALSE(editor.Open(u"C:\\tmp\\y.tmp", &e, true));  // still in plug-in mode
    FakeUI ui2;
    Editor editor2(ui2, formats);
    ASSERT_TRUE(editor2.Open(u"C:\\tmp\\y.tmp", &e, true));
    AddSteps(*e, 1);
    ui2.SaveAnswers = {KelvoIdYes};
    EXPECT_TRUE(editor2.CloseQueryAll());
    EXPECT_EQ(ui2.Prompts, (std::vector<std::u16string>{u"Save changes to the image?"}));
    EXPECT_EQ(ui2.ExitCode, 0);
    EXPECT_EQ(formats.Saves.back(), (std::pair<std::u16string, std::int32_t>{u"C:\\tmp\\y.tmp", -1}));
}

TEST_F(EditorTest, StartFileRecentEntriesAndWhichCommandsCanRun) {
    EXPECT_EQ(editor.EnabledCommands(), TKelvoEditorCommands{});
    EXPECT_FALSE(editor.OpenStartFile({}));
    EXPECT_FALSE(editor.OpenStartFile({u"C:\\missing.jpg"}));  // no such file: nothing opens, nothing is shown
    EXPECT_TRUE(ui.Errors.empty());
    ui.Existing = {u"C:\\start.jpg"};
    ASSERT_TRUE(editor.OpenStartFile({u"C:\\start.jpg", u"C:\\ignored.jpg"}));
    EXPECT_EQ(editor.EnabledCommands(), (TKelvoEditorCommands{false, true, false, false}));
    AddSteps(*editor.GetActiveDocument(), 1);
    EXPECT_EQ(editor.EnabledCommands(), (TKelvoEditorCommands{true, true, true, false}));
    editor.UndoCommand();
    EXPECT_EQ(editor.EnabledCommands(), (TKelvoEditorCommands{false, true, false, true}));
    editor.SetHistoryEnabled(false);
    EXPECT_EQ(editor.EnabledCommands(), (TKelvoEditorCommands{false, true, false, false}));

    Open(u"C:\\b&w.jpg");
    EXPECT_EQ(editor.RecentFiles(), (std::vector<std::u16string>{u"C:\\b&w.jpg", u"C:\\start.jpg"}));
    ASSERT_TRUE(editor.OpenRecent(1));  // by the list, not by a caption's text
    EXPECT_EQ(editor.GetActiveDocument()->FileName(), u"C:\\start.jpg");
    EXPECT_EQ(editor.RecentFiles(), (std::vector<std::u16string>{u"C:\\start.jpg", u"C:\\b&w.jpg"}));
    EXPECT_FALSE(editor.OpenRecent(2));
}

TEST_F(EditorTest, AScannedImageIsUntitledUnsavedAndNotRemembered) {
    formats.LoadId = KelvoFormatBMP;
    TKelvoDocument* d = nullptr;
    ASSERT_TRUE(editor.OpenAcquired(u"C:\\Temp\\twain1.bmp", &d));
    EXPECT_EQ(d->FileName(), u"");
    EXPECT_FALSE(d->IsSaved());
    EXPECT_TRUE(editor.RecentFiles().empty());
    EXPECT_EQ(ui.Captions.back(), u"Vantorel - Untitled");
    // Undo and redo never find the deleted transfer file's state.
    AddSteps(*d, 1);
    editor.UndoAllCommand();
    EXPECT_FALSE(d->IsSaved());
    // So closing asks, under the untitled name; No lets it go.
    ui.SaveAnswers = {KelvoIdNo};
    EXPECT_TRUE(editor.CloseCommand());
    EXPECT_EQ(ui.Prompts, (std::vector<std::u16string>{u"Save changes to Untitled?"}));
}

TEST(GraphicsEditorDocuments, HistoryWaitsForAnOpenEditAndStepsWithTheUndoingFlag) {
    FakeUI ui;
    FakeFormats formats;
    std::vector<std::u16string> activated;
    TKelvoGraphicsEditorDocuments editor(ui, formats, nullptr, {},
                                         [&](TKelvoDocument& d) { activated.push_back(d.FileName()); });
    TKelvoDocument* opened = nullptr;
    ASSERT_TRUE(editor.Open(u"C:\\a.jpg", &opened, true));
    EXPECT_EQ(activated, (std::vector<std::u16string>{u"C:\\a.jpg"}));
    auto& document = dynamic_cast<TKelvoGraphicsDocument&>(*opened);

    struct Watching : TKelvoCommandState {
        const TKelvoGraphicsEditorDocuments& editor;
        std::vector<bool>& seen;
        Watching(const TKelvoGraphicsEditorDocuments& e, std::vector<bool>& s) : editor(e), seen(s) {}
        bool Undo() override { return seen.push_back(editor.Undoing()), true; }
        bool Redo() override { return seen.push_back(editor.Undoing()), true; }
    };
    std::vector<bool> seen;
    document.AddCommandState(std::make_unique<Watching>(editor, seen));
    document.SetSaved(false);

    document.BeginEditing(nullptr);  // a tool's edit is open: nothing moves
    EXPECT_FALSE(editor.CanUndo());
    editor.UndoCommand();
    EXPECT_TRUE(seen.empty());
    document.ClearEditing();
    editor.UndoCommand();
    document.BeginEditing(nullptr);
    EXPECT_FALSE(editor.CanRedo());
    document.ClearEditing();
    editor.RedoCommand();
    EXPECT_EQ(seen, (std::vector<bool>{true, true}));
    EXPECT_FALSE(editor.Undoing());
}

TEST(GraphicsEditorDocuments, UndoAndRedoAreToldToEveryToolAroundTheStepAndTheToolIsPutAsideWhenNotKept) {
    FakeUI ui;
    FakeFormats formats;
    std::vector<std::string> log;
    struct Listener : IKelvoGraphicsTool {
        std::string Name;
        std::vector<std::string>& Log;
        Listener(std::string n, std::vector<std::string>& l) : Name(std::move(n)), Log(l) {}
        void EndEdit() override {}
        void BeforeUndo(TKelvoCommandState* s) override { Log.push_back(Name + ".BeforeUndo " + (s ? "s" : "-")); }
        void AfterUndo(TKelvoCommandState* s) override { Log.push_back(Name + ".AfterUndo " + (s ? "s" : "-")); }
        void BeforeRedo(TKelvoCommandState* s) override { Log.push_back(Name + ".BeforeRedo " + (s ? "s" : "-")); }
        void AfterRedo(TKelvoCommandState* s) override { Log.push_back(Name + ".AfterRedo " + (s ? "s" : "-")); }
    } a{"A", log}, b{"B", log};
    struct Step : TKelvoCommandState {
        std::vector<std::string>& Log;
        explicit Step(std::vector<std::string>& l) : Log(l) {}
        bool Undo() override { return Log.push_back("undo"), true; }
        bool Redo() override { return Log.push_back("redo"), true; }
    };
    bool keep = true;
    TKelvoGraphicsDocumentHooks hooks;
    hooks.Tools = [&] { return std::vector<IKelvoGraphicsTool*>{&a, &b}; };
    hooks.KeepTool = [&] { return keep; };
    hooks.SetToolAside = [&](bool aside) { log.push_back(aside ? "aside" : "back"); };
    TKelvoGraphicsEditorDocuments editor(ui, formats, nullptr, hooks, nullptr);
    TKelvoDocument* opened = nullptr;
    ASSERT_TRUE(editor.Open(u"C:\\a.jpg", &opened, true));
    opened->AddCommandState(std::make_unique<Step>(log));
    editor.UndoCommand();
    EXPECT_EQ(log,
              (std::vector<std::string>{"A.BeforeUndo s", "B.BeforeUndo s", "undo", "A.AfterUndo -", "B.AfterUndo -"}));
    log.clear();
    keep = false;
    editor.RedoCommand();
    EXPECT_EQ(log, (std::vector<std::string>{"aside", "A.BeforeRedo s", "B.BeforeRedo s", "redo", "A.AfterRedo -",
                                             "B.AfterRedo -", "back"}));
}
