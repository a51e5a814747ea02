// The demonstrations window: every ".dsc" file of the demonstrations folder as a large icon captioned with
// the script's title, its picture the thumbnail of the image the script's [Info] "Image" names, sorted by
// title. Start (or a double click) returns OK with the selected script; the check box is the module's
// show-at-start-up setting.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "app/win/TKelvoForm.h"
#include "demo/core/TKelvoDemoScript.h"

class TImageList;
class TKelvoDemonstrationModule;
class TUniButton;
class TUniCheckBox;
class TUniLabel;
class TUniListView;

// Loads a script by its wide file name; false when it is no file or cannot be read.
bool KelvoLoadDemoScript(const WideString& fileName, TKelvoDemoScript& script);

class TKelvoDemonstrationForm : public TKelvoForm {
    CLASSLIB_COMPONENT(TKelvoDemonstrationForm, TKelvoForm)

    explicit TKelvoDemonstrationForm(TComponent* owner);
    ~TKelvoDemonstrationForm() override;
    // The builder that makes the form's controls; registered once before the first form is made.
    static void RegisterBuilder();

    // Lists the module's folder and selects its remembered index.
    void Fill(TKelvoDemonstrationModule& module);
    // The selected item's index and script (null without a selection).
    std::int32_t SelectedIndex() const;
    TKelvoDemoScript* SelectedScript() const;

    void Localize() override;
    void UpdateState() override;

    TUniLabel* PromptLabel = nullptr;
    TUniListView* DemoListView = nullptr;
    TImageList* Thumbnails = nullptr;
    TUniCheckBox* ShowAtStartCheckBox = nullptr;
    TUniLabel* EscLabel = nullptr;
    TUniButton* StartButton = nullptr;
    TUniButton* CloseButton = nullptr;

    static constexpr int kThumbnailWidth = 96;
    static constexpr int kThumbnailHeight = 72;

private:
    void WndProc(TMessage& message) override;
    static void Build(TComponent* root);
    // The thumbnail of the picture file in the list's images; 0 (the empty picture) when it cannot be read.
    std::int32_t AddThumbnail(const WideString& fileName);
    void ListDblClick(TObject*);
    void ShowAtStartClick(TObject*);

    TKelvoDemonstrationModule* module_ = nullptr;
    std::vector<std::unique_ptr<TKelvoDemoScript>> scripts_;
    std::int32_t lastIndex_ = 0;
    bool painted_ = false;
};
