// A panel of the themed status bar and the bar's collection of them. A panel shows a caption, an image of
// the bar's image list, or a hosted control; its priorities decide whether it shows in a narrow bar
// (ViewPriority: 0 never, 100 always) and how it takes width left over (StretchPriority up to MaxSize).
// Changes of size, priorities, MaxSize or the control lay all panels out again; others repaint the panel.
#pragma once
#include <cstdint>

#include "classlib/core/TCollection.h"
#include "classlib/core/Types.h"
#include "classlib/win/TControl.h"
#include "themed/core/StatusBarLayout.h"
#include "themed/core/TFontSettings.h"

class TSkinCustomStatusBar;
class TWinControl;

enum TTextTruncation { ttNone, ttEndEllipsis, ttPathEllipsis };

class TSkinStatusPanel : public TCollectionItem {
    CLASSLIB_CLASS(TSkinStatusPanel, TCollectionItem)
public:
    explicit TSkinStatusPanel(TCollection* collection);
    ~TSkinStatusPanel() override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    const WideString& Caption() const { return caption_; }
    void SetCaption(const WideString& value);
    const WideString& Hint() const { return hint_; }
    void SetHint(const WideString& value) { hint_ = value; }
    TWinControl* Control() const { return control_; }
    // Raises EInvalidOperation "Can't insert own parent" for the bar or a parent of it; a control held by
    // another panel leaves that panel first.
    void SetControl(TWinControl* value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Framed() const { return framed_; }
    void SetFramed(bool value);
    TFontSettings* FontSettings() const { return fontSettings_.get(); }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int MaxSize() const { return maxSize_; }
    void SetMaxSize(int value);
    int Size() const { return size_; }
    void SetSize(int value);
    std::uint8_t StretchPriority() const { return stretchPriority_; }
    void SetStretchPriority(std::uint8_t value);
    TTextTruncation TextTruncation() const { return truncation_; }
    void SetTextTruncation(TTextTruncation value);
    std::uint8_t ViewPriority() const { return viewPriority_; }
    void SetViewPriority(std::uint8_t value);

    // The last layout's result.
    const skin::TStatusPanelPlace& Place() const { return place_; }
    int CurrentSize() const { return place_.CurrentSize; }
    const TRect& BoundsRect() const { return place_.Bounds; }
    bool Shown() const { return place_.Shown; }
    bool TouchesEnd() const { return place_.TouchesEnd; }

    TSkinCustomStatusBar* StatusBar() const;

private:
    friend class TSkinCustomStatusBar;
    void SettingsChanged(TObject* sender) { Changed(false); }

    TAlignment alignment_ = taLeftJustify;
    WideString caption_;
    WideString hint_;
    TWinControl* control_ = nullptr;
    bool enabled_ = true;
    bool framed_ = true;
    TObjectPtr<TFontSettings> fontSettings_;
    int imageIndex_ = -1;
    int maxSize_ = 0;
    int size_ = 50;
    std::uint8_t stretchPriority_ = 0;
    TTextTruncation truncation_ = ttNone;
    std::uint8_t viewPriority_ = 100;
    skin::TStatusPanelPlace place_;
};

class TSkinStatusPanels : public TCollection {
    CLASSLIB_CLASS(TSkinStatusPanels, TCollection)
public:
    explicit TSkinStatusPanels(TSkinCustomStatusBar* bar);

    TSkinStatusPanel* Add() { return static_cast<TSkinStatusPanel*>(TCollection::Add()); }
    TSkinStatusPanel* Items(int index) const { return static_cast<TSkinStatusPanel*>(TCollection::Items(index)); }
    TSkinCustomStatusBar* StatusBar() const { return bar_; }
    TPersistent* GetOwner() override;

protected:
    void Update(TCollectionItem* item) override;

private:
    TSkinCustomStatusBar* bar_;
};
