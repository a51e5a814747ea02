#include "toolbar/core/MenuSettings.h"

#include "classlib/core/StringUtils.h"

namespace tb {

int MenuShowDelayFromRegistry(bool found, bool isString, std::string_view value) {
    if (!found) return kDefaultMenuShowDelay;
    if (!isString) return 0;
    int delay = 0;
    if (!TryStrToInt(value, delay)) return 0;
    return delay < 0 ? 0 : delay;
}

}  // namespace tb
