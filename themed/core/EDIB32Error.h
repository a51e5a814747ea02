// Errors of the alpha bitmaps and image lists ("Invalid parameters").
#pragma once
#include "classlib/core/Exceptions.h"

CLASSLIB_DECLARE_EXCEPTION(EDIB32Error, Exception);
