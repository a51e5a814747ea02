// The lens profile file through the system's profile (INI) functions.
#pragma once

#include "tools/core/TKelvoLensProfile.h"

class TKelvoProfileFile : public IKelvoProfileStore {
public:
    explicit TKelvoProfileFile(WideString fileName) : fileName_(std::move(fileName)) {}
    const WideString& FileName() const { return fileName_; }
    // Reads at most LensProfileValueLimit - 1 characters; empty when the file, section or key is missing.
    WideString ReadString(const WideString& section, const WideString& key) override;
    bool WriteString(const WideString& section, const WideString& key, const WideString& value) override;

private:
    WideString fileName_;
};

// The program's lens profile file: the program file's full path with the extension ".dis".
WideString ProgramLensProfileFileName();
