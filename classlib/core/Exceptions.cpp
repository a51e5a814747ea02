#include "classlib/core/Exceptions.h"

Exception::Exception(AnsiString message, int helpContext) : message_(std::move(message)), helpContext_(helpContext) {}

Exception::~Exception() = default;
