// What the filter plug-in does with the host's filter record and the exchange file, as plain functions:
// asking the host for its pixels, writing them into the file, checking and copying the program's result
// back, and the small text rules around starting the program. The Windows side (TExternalHostFilter)
// adds the temporary file, the process and the message boxes.
#pragma once
#include <cstdint>
#include <string>

#include "app/core/KelvoExchangeFormat.h"
#include "plugin/core/HostFilterInterface.h"

namespace filterexchange {

// Empties the input, output and mask rectangles.
void ClearRects(hostfilter::TFilterRecord& record);

// Asks the host for the whole filter rectangle, planes 0 .. planes - 1, on the input side only, and fills
// header from the rectangle, the input row bytes and the plane count. False when the host has no
// advanceState, refuses, or hands back no buffer that holds the rectangle's pixels (a buffer, planes of
// at least 3, row bytes of at least width x planes).
bool RequestInput(hostfilter::TFilterRecord& record, exchange::THeader& header);
// The same on the output side (input and mask rectangles empty); header.rowBytes is the output's.
bool RequestOutput(hostfilter::TFilterRecord& record, exchange::THeader& header);

// Bytes of the exchange file for header: 36 + row bytes x height.
std::uint64_t FileSizeFor(const exchange::THeader& header);
// Writes the magic, header and the host's rows into file (FileSizeFor bytes): each row's width x planes
// pixel bytes at header.rowBytes from the last, the padding left as the file had it.
void WriteFile(std::uint8_t* file, const exchange::THeader& header, const std::uint8_t* host);

enum class TReadBack {
    Ready,       // the file holds width x height pixels for the host
    WrongMagic,  // not an exchange file: the program did not write it
    Unreadable,  // too short, a header whose rows are not inside the file, or another size or mode
};
// Checks the program's file (size bytes) against what was sent (sent: mode, width, height) and fills
// fileHeader.
TReadBack CheckReadBack(const std::uint8_t* file, std::uint64_t size, const exchange::THeader& sent,
                        exchange::THeader& fileHeader);

// The program path from the registry's value: text only (REG_SZ), up to its first terminating zero.
// Anything else gives an empty path.
std::u16string ProgramPathFromValue(std::uint32_t type, const std::uint8_t* data, std::uint32_t size);
// The text before the last backslash; empty when there is none.
std::u16string FolderOf(const std::u16string& path);
// "\"" + program + "\" \"" + file + "\"".
std::u16string CommandLine(const std::u16string& program, const std::u16string& file);

}  // namespace filterexchange
