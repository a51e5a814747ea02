// Small helpers shared by the tests of every layer.
#pragma once
#include <string>

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

}  // namespace testsupport
