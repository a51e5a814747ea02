// Stands in for the program when the plug-in's tests run it on an exchange file. What it does is chosen
// by the environment, which the program inherits from the test:
//   VANTOREL_STANDIN_MODE  invert (default): read the file with the program's reader, check it, invert
//                          every colour byte, write it back with the program's writer (3 planes, its own
//                          stride) and exit 0; cancel: exit -1; crash: write through a null pointer;
//                          badheader: exit 0 after making the header claim rows beyond the file
//   VANTOREL_STANDIN_LOG   a file that receives one line: the header it was given, the file's size, the
//                          file name and the current folder
// Exit code 2 means the file it was given was not a sound exchange file.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/core/KelvoExchangeFormat.h"
#include "app/win/KelvoExchangeFile.h"
#include "app/win/TFileMapping.h"
#include "app/win/TMappedView.h"

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Reads the header as it is in the file, for the log and for the size check.
bool ReadHeader(const std::u16string& file, exchange::THeader& header, std::int64_t& size) {
    TFileMapping mapping(file);
    size = mapping.GetSize();
    TMappedView view(mapping, std::uint32_t(exchange::PixelOffset), FILE_MAP_READ);
    return exchange::CheckHeader(view.Bytes(), view.Bytes() ? exchange::PixelOffset : 0, std::uint64_t(size), header) ==
           exchange::TCheck::Valid;
}

void Log(const exchange::THeader& h, std::int64_t size, const std::wstring& file) {
    const std::string path = Env("VANTOREL_STANDIN_LOG");
    if (path.empty()) return;
    FILE* out = std::fopen(path.c_str(), "w");
    if (out == nullptr) return;
    wchar_t folder[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, folder);
    std::fprintf(out, "size=%d mode=%d left=%d top=%d width=%d height=%d rowBytes=%d planes=%d fileSize=%lld ",
                 h.headerSize, h.imageMode, h.left, h.top, h.width, h.height, h.rowBytes, h.planes,
                 static_cast<long long>(size));
    std::fprintf(out, "file=%ls cwd=%ls\n", file.c_str(), folder);
    std::fclose(out);
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 2) return 2;
    const std::wstring name = argv[1];
    LocalFree(argv);
    const std::u16string file(name.begin(), name.end());
    exchange::THeader header;
    std::int64_t size = 0;
    const bool sound = ReadHeader(file, header, size);
    Log(header, size, name);
    // The plug-in writes exactly the header and the rows.
    if (!sound || std::uint64_t(size) != exchange::PixelOffset + exchange::RowsSize(header)) return 2;

    const std::string mode = Env("VANTOREL_STANDIN_MODE");
    if (mode == "cancel") return -1;
    if (mode == "crash") {
        *static_cast<volatile int*>(nullptr) = 1;
        return 3;
    }
    if (mode == "badheader") {
        TFileMapping mapping(file);
        TMappedView view(mapping, std::uint32_t(exchange::PixelOffset), FILE_MAP_WRITE);
        header.rowBytes += 64;  // rows that run past the end of the file
        exchange::WriteHeader(view.Bytes(), header);
        return 0;
    }
    TKelvoPixelBuffer working;
    if (!ReadExchangeFile(file, working, nullptr)) return 2;
    for (std::int32_t y = 0; y < working.Height(); ++y) {
        Byte* row = working.Row(y);
        for (std::int32_t i = 0; i < working.Width() * 3; ++i) row[i] = Byte(255 - row[i]);
    }
    return WriteExchangeFile(file, working) ? 0 : 2;
}
