// The pure parts of the file-system functions, kept apart from the system calls so that code using
// them links without a file backend.
#include "classlib/core/FileSystem.h"
#include "classlib/core/StringUtils.h"

using namespace classlib;

std::vector<AnsiString> classlib::SplitCommandLine(const AnsiString& commandLine) {
    std::vector<AnsiString> args;
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (true) {
        while (i < n && isBlank(commandLine[i])) ++i;
        if (i >= n) break;
        AnsiString arg;
        while (i < n && !isBlank(commandLine[i])) {
            if (commandLine[i] == '"') {
                ++i;
                while (i < n && commandLine[i] != '"') arg += commandLine[i++];
                if (i < n) ++i;
            } else {
                arg += commandLine[i++];
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

bool classlib::MatchesMask(const AnsiString& name, const AnsiString& mask) {
    // Iterative wildcard match with one backtrack point for the last '*': linear in practice and
    // never recursive, whatever the mask.
    std::size_t n = 0, m = 0, starM = AnsiString::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || UpCase(mask[m]) == UpCase(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starM = m++;
            starN = n;
        } else if (starM != AnsiString::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}
