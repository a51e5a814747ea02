// Stand-ins for what the editor's document logic asks of the world: the user (prompts and the save dialog),
// the format table and the graphics tools. Each records what it was asked.
#pragma once
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/core/KelvoGraphicsRules.h"
#include "app/core/TKelvoEditorDocuments.h"
#include "app/core/TKelvoGraphicsDocument.h"

namespace docfakes {

struct FakeUI : IKelvoEditorUI {
    std::vector<int> SaveAnswers;  // answers to the save prompt, in turn (Cancel when none are left)
    int OverwriteAnswer = KelvoIdYes;
    bool DialogOk = true;
    std::u16string DialogName = u"C:\\out\\saved";
    std::int32_t DialogFilter = 0;
    std::vector<std::u16string> Existing;

    std::vector<std::u16string> Prompts, Overwrites, Errors, Captions;
    TKelvoSaveDialogRequest LastRequest;
    int ExitCode = 1234;
    int PluginEntered = 0;

    int AskSave(const std::u16string& text) override {
        Prompts.push_back(text);
        if (SaveAnswers.empty()) return KelvoIdCancel;
        const int answer = SaveAnswers.front();
        SaveAnswers.erase(SaveAnswers.begin());
        return answer;
    }
    int AskOverwrite(const std::u16string& text) override {
        Overwrites.push_back(text);
        return OverwriteAnswer;
    }
    void ShowError(const std::u16string& text) override { Errors.push_back(text); }
    bool RunSaveDialog(TKelvoSaveDialogRequest& request) override {
        LastRequest = request;
        request.FileName = DialogName;
        request.FilterIndex = DialogFilter;
        return DialogOk;
    }
    bool FileExists(const std::u16string& name) override {
        for (const auto& e : Existing)
            if (e == name) return true;
        return false;
    }
    std::u16string Title() override { return u"Vantorel"; }
    void SetCaption(const std::u16string& caption) override { Captions.push_back(caption); }
    void PluginModeEntered() override { ++PluginEntered; }
    void SetExitCode(int code) override { ExitCode = code; }
};

class FakeTable : public TKelvoFileFormats {
public:
    std::int32_t GetCount() const override { return KelvoGraphicsFormatCount; }
    const TKelvoFileFormat* GetFormat(std::int32_t index) const override { return GraphicsFormatRow(index); }
};

// Loads succeed with the id given, fail or raise; saves succeed unless told otherwise. A graphics document is
// loaded as a 4 x 3 image.
struct FakeFormats : TKelvoDocumentFormats {
    enum class Outcome { Ok, Fail, Raise };
    Outcome LoadOutcome = Outcome::Ok;
    std::int32_t LoadId = KelvoFormatJPEG;
    bool SaveOk = true;
    FakeTable Table;
    std::vector<std::pair<std::u16string, std::int32_t>> Saves;

    const TKelvoFileFormats& FileFormats() const override { return Table; }
    bool Load(TKelvoDocument& document, const std::u16string&, std::int32_t& id) override {
        if (auto* g = dynamic_cast<TKelvoGraphicsDocument*>(&document)) {
            g->Working().SetSize(4, 3, KelvoFormatBGR24);
            g->Original().SetSize(4, 3, KelvoFormatBGR24);
            g->SyncCommitted();
        }
        if (LoadOutcome == Outcome::Raise) throw std::runtime_error("decoder broke");
        if (LoadOutcome == Outcome::Fail) return false;
        id = LoadId;
        return true;
    }
    bool Save(TKelvoDocument&, const std::u16string& name, std::int32_t id) override {
        Saves.emplace_back(name, id);
        return SaveOk;
    }
};

// Counts the documents alive, so that a test sees one freed.
inline int liveDocuments = 0;

class CountedDocument : public TKelvoGraphicsDocument {
public:
    CountedDocument(TKelvoEditorDocuments& editor, TKelvoGraphicsDocumentHooks hooks)
        : TKelvoGraphicsDocument(editor, std::move(hooks)) {
        ++liveDocuments;
    }
    ~CountedDocument() override { --liveDocuments; }
};

class Editor : public TKelvoEditorDocuments {
public:
    Editor(FakeUI& ui, FakeFormats& formats) : TKelvoEditorDocuments(ui, formats) {}
    TKelvoGraphicsDocumentHooks Hooks;

protected:
    std::unique_ptr<TKelvoDocument> NewDocumentObject() override {
        return std::make_unique<CountedDocument>(*this, Hooks);
    }
};

// A step that changes nothing: enough for the history's positions.
struct NoStep : TKelvoCommandState {
    bool Undo() override { return true; }
    bool Redo() override { return true; }
};

inline void AddSteps(TKelvoDocument& document, int n) {
    for (int i = 0; i < n; ++i) {
        document.AddCommandState(std::make_unique<NoStep>());
        document.SetSaved(false);
    }
}

}  // namespace docfakes
