#include "scan/core/TwnNegotiation.h"

namespace twn {

TTwnFileFmt NegotiateFileFormat(TTwnFileFmt requested, TTwnFileFmts candidates,
                                const std::function<TTwnFileFmt(TTwnFileFmt)>& setAndRead) {
    candidates = AllowedFileFormats(TTwnFileFmts(candidates | FileFmtBit(requested)));
    TTwnFileFmt format = requested;
    for (int round = 0; round < kMaxFormatRounds && candidates != 0; ++round) {
        const TTwnFileFmt answer = setAndRead(format);
        if (answer == format) return (candidates & FileFmtBit(format)) ? format : kTwnNoFileFormat;
        if (candidates & FileFmtBit(answer)) return answer;  // the source's choice is one we take
        candidates = TTwnFileFmts(candidates & ~FileFmtBit(format));
        format = kTwnNoFileFormat;
        for (TTwnFileFmt f = 0; f <= 7 && format == kTwnNoFileFormat; ++f)
            if (candidates & FileFmtBit(f)) format = f;
        if (format == kTwnNoFileFormat) break;
    }
    return kTwnNoFileFormat;
}

}  // namespace twn
