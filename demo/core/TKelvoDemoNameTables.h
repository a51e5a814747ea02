// The names that the editor and the tools register for demonstrations: pointer targets (a component whose
// screen point the window layer works out) and commands with the value a script line gives them. Names are
// kept upper-cased; entries are appended and the first one with a name answers.
#pragma once
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "classlib/core/Types.h"
#include "demo/core/TKelvoDemoScriptParams.h"

class TComponent;

class TKelvoDemoTargetTable {
public:
    // A null component is not registered.
    void Add(std::string_view name, TComponent* component);
    // The component of the first entry with the name (any case); null when there is none.
    TComponent* Find(std::string_view name) const;
    // Entries of a component that is being freed go.
    void Remove(TComponent* component);
    std::int32_t Count() const { return std::int32_t(entries_.size()); }

private:
    struct TEntry {
        AnsiString Name;
        TComponent* Component;
    };
    std::vector<TEntry> entries_;
};

class TKelvoDemoCommandTable {
public:
    void AddCommand(std::string_view name, std::function<void()> run);
    // Without a parameter the default; a number sets value <> 0; anything else sets false.
    void AddBoolean(std::string_view name, std::function<void(bool)> set, bool defaultValue);
    // A number (a double is truncated towards zero, and clamped to the 32-bit range), else the default.
    void AddInteger(std::string_view name, std::function<void(std::int32_t)> set, std::int32_t defaultValue);
    // Two numbers, else both defaults.
    void AddTwoIntegers(std::string_view name, std::function<void(std::int32_t, std::int32_t)> set,
                        std::int32_t default1, std::int32_t default2);
    void AddFloat(std::string_view name, std::function<void(double)> set, double defaultValue);
    // A colour as 0x00BBGGRR.
    void AddColor(std::string_view name, std::function<void(std::int32_t)> set, std::int32_t defaultValue);

    // Runs the first command with the name (any case) with the line's parameters; false when none has it.
    bool Run(std::string_view name, const TKelvoDemoScriptParams& params) const;
    std::int32_t Count() const { return std::int32_t(entries_.size()); }

private:
    struct TEntry {
        AnsiString Name;
        // The handler with the line's parameters turned into its value kind.
        std::function<void(const TKelvoDemoScriptParams&)> Run;
    };
    void Add(std::string_view name, std::function<void(const TKelvoDemoScriptParams&)> run);
    std::vector<TEntry> entries_;
};

// The demonstrations window's list: the order of the titles (case-insensitive; equal titles keep file order)
// and the item to select for a remembered index (the last one when past the end, -1 for an empty list).
std::vector<std::int32_t> KelvoDemoListOrder(const std::vector<WideString>& titles);
std::int32_t KelvoDemoListSelection(std::int32_t remembered, std::int32_t count);

// The script editor never deletes the sections that every script needs, whatever their place among the tabs.
bool KelvoDemoSectionDeletable(std::string_view name);
// A section name the editor's Add Language accepts: a decimal language id from 1 to 65535 (the text trimmed).
bool KelvoDemoLanguageSectionName(std::string_view text, AnsiString& name);
