// Lens profiles: per camera make and model, a table of (focal length, distortion value) pairs kept in a
// profile (INI) file beside the program, looked up by the photo's focal length and learned from the
// user's manual settings. The file is reached through IKelvoProfileStore, so everything here is
// platform-free; the Windows store uses the system's profile functions.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "classlib/core/Types.h"

// One value of a profile file: section and key in, text out. A missing section or key reads as empty.
class IKelvoProfileStore {
public:
    virtual ~IKelvoProfileStore() = default;
    virtual WideString ReadString(const WideString& section, const WideString& key) = 0;
    // False when the value could not be written.
    virtual bool WriteString(const WideString& section, const WideString& key, const WideString& value) = 0;
};

// A store held in memory (names compared exactly); WriteString fails while ReadOnly is set.
class TKelvoMemoryProfileStore : public IKelvoProfileStore {
public:
    WideString ReadString(const WideString& section, const WideString& key) override;
    bool WriteString(const WideString& section, const WideString& key, const WideString& value) override;
    bool ReadOnly = false;
    std::map<std::pair<WideString, WideString>, WideString> Values;
};

// Longest text of one value that is read; the rest is ignored.
constexpr std::size_t LensProfileValueLimit = 1000;

// 6 significant digits, '.' as decimal point whatever the locale: "0" for 0; fixed notation for
// magnitudes 0.0001 .. 999999.9 with 4 - trunc(log10|x|) decimals (4 below 1, never fewer than 0) and
// trailing zeros and point removed; otherwise exponent notation ("1.23E7", "1E-5") shortened until it
// has at most 6 characters besides the sign. A value that is not finite gives "0".
AnsiString FormatSignificant(double value);

// The numbers of a value text: repeatedly the longest valid number at the start ('.' as decimal point,
// an optional sign and exponent); a character that starts no number is dropped. Only the first
// LensProfileValueLimit characters are read. A number too large for a double gives infinity or NaN in
// its place, so the positions of the numbers are kept.
std::vector<double> ParseNumberList(const WideString& text);

struct TLensProfileEntry {
    double FocalLength = 0.0;
    double Distortion = 0.0;
    friend bool operator==(const TLensProfileEntry&, const TLensProfileEntry&) = default;
};

enum class TLensLearnResult {
    Skipped,   // make, model or focal length missing: nothing learned
    Saved,     // learned and written to the file
    NotSaved,  // learned in memory, but the file could not be written
};

class TKelvoLensProfile {
public:
    const WideString& Make() const { return make_; }
    const WideString& Model() const { return model_; }
    // Sorted by strictly ascending focal length, all values finite.
    const std::vector<TLensProfileEntry>& Entries() const { return entries_; }

    // Empties the table and takes the camera; when make and model are both non-empty reads the focal
    // lengths, then the distortion values. The i-th number of each list goes into entry i, and the longer
    // list decides the number of entries (the other's missing numbers are 0); entries with a value that is
    // not finite are dropped; the rest is sorted by focal length and of equal focal lengths only the first
    // in the file is kept.
    void Load(IKelvoProfileStore& store, const WideString& make, const WideString& model);
    // True when make or model differ from the loaded camera (the table must be loaded again).
    bool CameraChanged(const WideString& make, const WideString& model) const;

    // The distortion value for focal length f: none without entries; with one entry its value when its
    // focal length equals f exactly; otherwise linear inter- or extrapolation through the two entries
    // around f (the first two below the first entry, the last two above the last).
    std::optional<double> AutomaticValue(double focalLength) const;

    // Sets the value of focal length f (an entry of exactly that focal length, or a new one at its sorted
    // place) and writes both lists of this camera back. Skipped when make or model is empty or f is zero
    // or not finite.
    TLensLearnResult Learn(IKelvoProfileStore& store, double focalLength, double value);

    // Section and key names of the loaded camera.
    WideString Section() const;
    WideString FocalLengthKey() const;
    WideString DistortionKey() const;

private:
    WideString make_;
    WideString model_;
    std::vector<TLensProfileEntry> entries_;
};

// A camera name made safe as a profile section or key name: control characters are dropped, ']', '='
// and '[' become '_', and a leading ';' becomes '_' (it would start a comment). Cameras report whatever
// bytes their makers chose; written as they stand, such a name would end the section or split the key, and
// the file would read back other cameras' values.
WideString SanitizeProfileName(const WideString& name);

// The program's file name with its extension replaced by ".dis".
WideString LensProfileFileName(const WideString& programPath);

// Camera text of an image property: the bytes as Latin-1, without one trailing NUL.
WideString CameraText(const AnsiString& bytes);

// Focal length of an image property holding a RATIONAL (two little-endian unsigned 32-bit integers);
// none when the item is shorter than 8 bytes or the denominator is 0.
std::optional<double> FocalLengthFromRational(const Byte* data, std::size_t size);

// Distortion modes of the correction tools.
constexpr int DistortionNone = 0;
constexpr int DistortionManual = 1;
constexpr int DistortionAutomatic = 2;

// The lens coefficient of a distortion mode: -manual/1000 in manual mode, -automatic/1000 in automatic
// mode when an automatic value exists, else 0.
double LensCoefficient(int mode, int manualValue, std::optional<double> automaticValue);
