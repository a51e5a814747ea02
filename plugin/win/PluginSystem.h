// The plug-in's few system routines: the program path from the registry, the temporary exchange file,
// and running the program while the host's thread keeps its messages flowing.
#pragma once
#include <cstdint>
#include <string>

// HKEY_LOCAL_MACHINE "SOFTWARE\Kelvo\Plavex\Vantorel", unnamed value (text of up to 1,024 bytes); empty
// when the key or the value is missing or the value is no text.
std::u16string ReadProgramPath();

// A new, empty file "PSP....tmp" in the temporary folder, deleted again when this object goes.
class TTempFile {
public:
    TTempFile();
    ~TTempFile();
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;

    // Empty when no file could be made.
    const std::u16string& Name() const { return name_; }

private:
    std::u16string name_;
};

struct TProgramRun {
    bool started = false;
    std::uint32_t error = 0;     // GetLastError of a failed start
    std::uint32_t exitCode = 1;  // never 0 unless the program reported 0
};

// Starts the command line shown maximized, in workingDirectory (the current one when empty), and waits
// for it to end, dispatching the calling thread's messages meanwhile. A quit message met while waiting is
// posted again afterwards, so the host still sees it.
TProgramRun RunProgram(const std::u16string& commandLine, const std::u16string& workingDirectory);
