// The filter that hands the host's image to the program: Start writes the pixels into a temporary
// exchange file, runs the program on it, waits, and copies the result back when the program confirms
// with exit code 0.
//
// Results of Start: 0 the image was replaced; -128 the program ran but did not confirm, or its result
// could not be read back (the host's image is then left as it was: the output side is requested only
// for a result that has been checked); -23 a failure before the program ran. Each failure the user should
// know of is shown in a box captioned "Error" over the host's window.
#pragma once
#include <string>

#include "app/core/KelvoExchangeFormat.h"
#include "plugin/win/THostFilter.h"

class TExternalHostFilter : public THostFilter {
public:
    TExternalHostFilter(const std::u16string& programPath, std::u16string aboutText, std::u16string aboutCaption);

    std::int16_t Start(hostfilter::TFilterRecord* record) override;

    // Sets the program path; an empty working directory becomes the path's folder.
    void SetProgramPath(const std::u16string& path);
    const std::u16string& ProgramPath() const { return programPath_; }
    const std::u16string& WorkingDirectory() const { return workingDirectory_; }

private:
    // Copies the program's result from the exchange file into the host's output; the result code.
    std::int16_t ReadBack(hostfilter::TFilterRecord& record, const std::u16string& file, const exchange::THeader& sent);

    std::u16string workingDirectory_;
    std::u16string programPath_;
};
