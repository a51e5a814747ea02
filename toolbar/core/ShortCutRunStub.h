// TEMPORARY: stands in for toolbar/core/ShortCutRun.h until the item shortcut run lands; removed then.
#pragma once
#include <exception>
#include <functional>

#include "classlib/core/TShortCut.h"
#include "toolbar/core/TTBCustomItem.h"

TTBCustomItem* FindShortCutOwner(TTBCustomItem& item, TShortCut shortCut, TTBCustomItem*& topLevel);
bool RunShortCut(TTBCustomItem& item, TShortCut shortCut, bool designing,
                 const std::function<void(std::exception_ptr)>& handleException);
