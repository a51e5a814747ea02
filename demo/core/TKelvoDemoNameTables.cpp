#include "demo/core/TKelvoDemoNameTables.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "classlib/core/StringUtils.h"
#include "demo/core/TKelvoDemoScript.h"

namespace {

// The first parameter as a 32-bit integer: a double goes towards zero and stops at the range's ends (NaN is no
// number).
bool IntegerParam(const TKelvoDemoScriptParams& params, std::int32_t index, std::int32_t& value) {
    double number = 0;
    if (!params.GetNumber(index, number) || std::isnan(number)) return false;
    number = std::trunc(std::clamp(number, -2147483648.0, 2147483647.0));
    value = static_cast<std::int32_t>(number);
    return true;
}

}  // namespace

void TKelvoDemoTargetTable::Add(std::string_view name, TComponent* component) {
    if (component) entries_.push_back({UpperCase(name), component});
}

TComponent* TKelvoDemoTargetTable::Find(std::string_view name) const {
    const AnsiString key = UpperCase(name);
    for (const TEntry& entry : entries_)
        if (entry.Name == key) return entry.Component;
    return nullptr;
}

void TKelvoDemoTargetTable::Remove(TComponent* component) {
    std::erase_if(entries_, [component](const TEntry& entry) { return entry.Component == component; });
}

void TKelvoDemoCommandTable::Add(std::string_view name, std::function<void(const TKelvoDemoScriptParams&)> run) {
    entries_.push_back({UpperCase(name), std::move(run)});
}

void TKelvoDemoCommandTable::AddCommand(std::string_view name, std::function<void()> run) {
    Add(name, [run = std::move(run)](const TKelvoDemoScriptParams&) { run(); });
}

void TKelvoDemoCommandTable::AddBoolean(std::string_view name, std::function<void(bool)> set, bool defaultValue) {
    Add(name, [set = std::move(set), defaultValue](const TKelvoDemoScriptParams& params) {
        double number = 0;
        if (params.GetCount() == 0)
            set(defaultValue);
        else
            set(params.GetNumber(0, number) && number != 0);
    });
}

void TKelvoDemoCommandTable::AddInteger(std::string_view name, std::function<void(std::int32_t)> set,
                                        std::int32_t defaultValue) {
    Add(name, [set = std::move(set), defaultValue](const TKelvoDemoScriptParams& params) {
        std::int32_t value = defaultValue;
        IntegerParam(params, 0, value);
        set(value);
    });
}

void TKelvoDemoCommandTable::AddTwoIntegers(std::string_view name, std::function<void(std::int32_t, std::int32_t)> set,
                                            std::int32_t default1, std::int32_t default2) {
    Add(name, [set = std::move(set), default1, default2](const TKelvoDemoScriptParams& params) {
        std::int32_t a = 0, b = 0;
        if (IntegerParam(params, 0, a) && IntegerParam(params, 1, b))
            set(a, b);
        else
            set(default1, default2);
    });
}

void TKelvoDemoCommandTable::AddFloat(std::string_view name, std::function<void(double)> set, double defaultValue) {
    Add(name, [set = std::move(set), defaultValue](const TKelvoDemoScriptParams& params) {
        double value = 0;
        set(params.GetNumber(0, value) && std::isfinite(value) ? value : defaultValue);
    });
}

void TKelvoDemoCommandTable::AddColor(std::string_view name, std::function<void(std::int32_t)> set,
                                      std::int32_t defaultValue) {
    AddInteger(name, std::move(set), defaultValue);
}

bool TKelvoDemoCommandTable::Run(std::string_view name, const TKelvoDemoScriptParams& params) const {
    const AnsiString key = UpperCase(name);
    for (const TEntry& entry : entries_) {
        if (entry.Name != key) continue;
        entry.Run(params);
        return true;
    }
    return false;
}

std::vector<std::int32_t> KelvoDemoListOrder(const std::vector<WideString>& titles) {
    std::vector<std::int32_t> order(titles.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
        return CompareTextAscii(titles[std::size_t(a)], titles[std::size_t(b)]) < 0;
    });
    return order;
}

std::int32_t KelvoDemoListSelection(std::int32_t remembered, std::int32_t count) {
    if (count <= 0) return -1;
    return std::clamp(remembered, 0, count - 1);
}

bool KelvoDemoSectionDeletable(std::string_view name) {
    return !SameTextAscii(name, TKelvoDemoScript::kScriptSection) &&
           !SameTextAscii(name, TKelvoDemoScript::kInfoSection);
}

bool KelvoDemoLanguageSectionName(std::string_view text, AnsiString& name) {
    const AnsiString trimmed = Trim(text);
    if (trimmed.empty() || trimmed.size() > 5) return false;
    std::int32_t value = 0;
    for (char c : trimmed) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 65535) return false;
    name = IntToStr(value);
    return true;
}
