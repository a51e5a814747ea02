// The arithmetic of documents and of the editor's document commands, as plain functions: how the image area
// follows the image through turns, mirrors and resizing, the name a Save As writes to, the display name, and
// the recent-files list with its state node.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/core/KelvoGeometry.h"

class TKelvoSDFReader;
class TKelvoSDFWriter;

// The image area after the image (width x height before the change) is turned or mirrored: the same pixels,
// in their new place. An empty area (the whole image) stays empty.
TKelvoRect RotateAreaLeft(const TKelvoRect& area, std::int32_t width);      // counter-clockwise
TKelvoRect RotateAreaRight(const TKelvoRect& area, std::int32_t height);    // clockwise
TKelvoRect FlipAreaHorizontal(const TKelvoRect& area, std::int32_t width);  // left and right swap
TKelvoRect FlipAreaVertical(const TKelvoRect& area, std::int32_t height);   // top and bottom swap

// The area of a w x h image resized to newWidth x newHeight: left and top rounded up, right and bottom rounded
// down, so that the area never takes in pixels it did not cover. Empty stays empty.
TKelvoRect ScaleArea(const TKelvoRect& area, std::int32_t w, std::int32_t h, std::int32_t newWidth,
                     std::int32_t newHeight);
// The size an original of originalWidth x originalHeight takes when the working image goes from w x h to
// newWidth x newHeight: the new size itself for an original of the working size, else each side scaled
// (rounded to the nearest, ties to even) and at least 1.
void ScaledOriginalSize(std::int32_t originalWidth, std::int32_t originalHeight, std::int32_t w, std::int32_t h,
                        std::int32_t newWidth, std::int32_t newHeight, std::int32_t& outWidth, std::int32_t& outHeight);
// rect clipped to (0, 0, width, height); empty (all zero) when the result is empty or is the whole image.
TKelvoRect NormalizeImageArea(const TKelvoRect& rect, std::int32_t width, std::int32_t height);

// The path without the extension of its file-name part (split as uni::FileExtOfW splits).
std::u16string WithoutExtension(const std::u16string& path);
// The name a Save As writes: the typed name, with the format's default extension appended when the typed
// extension differs from it (ASCII case ignored): "x.JPG" stays, "x.jpeg" becomes "x.jpeg.jpg".
std::u16string SaveAsFileName(const std::u16string& typed, const std::u16string& defaultExtension);
// What the user sees for a document: the file-name part, or untitled for a document without a file.
std::u16string DocumentDisplayName(const std::u16string& fileName, const std::u16string& untitled);

// The recent files, most recent first. Names compare case-insensitively (ASCII), as Windows file names do.
inline constexpr std::int32_t KelvoRecentFilesMax = 5;
// A name already in the list moves to the front; a new one goes in front and the list is cut to max entries.
// An empty name is not added.
void AddRecentFileName(std::vector<std::u16string>& list, const std::u16string& name,
                       std::int32_t max = KelvoRecentFilesMax);
// The menu caption of entry n (from 1): "&n " and the name, its "&" doubled so that none becomes a mnemonic.
std::u16string RecentFileCaption(std::int32_t n, const std::u16string& name);

// The editor's settings node: id 1 keyed by the editor's GUID, in it a child node id 1 whose int32 key is
// the number of names, holding one wide string per name, ids 1..count, most recent first.
void SaveRecentFiles(TKelvoSDFWriter& writer, const std::vector<std::u16string>& list);
// Reads the node into list (most recent first), through AddRecentFileName from the last item to the first.
// A count above max reads max items; items that are missing or not strings are skipped. A missing node
// leaves list as it is.
void LoadRecentFiles(TKelvoSDFReader& reader, std::vector<std::u16string>& list,
                     std::int32_t max = KelvoRecentFilesMax);
