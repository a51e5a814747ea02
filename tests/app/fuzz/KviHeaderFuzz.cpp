// Takes arbitrary bytes for a file opened as KVI: restoring a header and scrambling it again must give the
// same bytes back, and nothing but the first 16 bytes may ever change.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/core/KelvoGraphicsRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::vector<Byte> file(data, data + size);
    if (RestoreKVIHeader(file.data(), file.size())) {
        if (!IsPlainJpegHeader(file.data())) std::abort();
        if (std::memcmp(file.data() + KVIHeaderBytes, data + KVIHeaderBytes, size - KVIHeaderBytes) != 0) std::abort();
        if (!ScrambleKVIHeader(file.data(), file.size())) std::abort();
        if (std::memcmp(file.data(), data, size) != 0) std::abort();
    } else if (std::memcmp(file.data(), data, size) != 0) {
        std::abort();
    }
    if (ScrambleKVIHeader(file.data(), file.size()) && !RestoreKVIHeader(file.data(), file.size())) std::abort();
    return 0;
}
