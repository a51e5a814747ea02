// Small helpers shared by the tests of every layer.
#pragma once
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "classlib/core/StringUtils.h"

namespace testsupport {

// A fresh, empty folder below the system's temporary folder, removed again by the destructor.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    // Path of a file inside the folder.
    std::string File(const std::string& name) const;

private:
    std::string path_;
};

// The bytes of a file (none when it cannot be read), and a file made of the bytes.
inline std::vector<std::uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}
inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// An 8-bit text as UTF-16, byte by byte (test file names and texts).
inline std::u16string Wide(const std::string& s) { return WidenBytes(s); }

}  // namespace testsupport
