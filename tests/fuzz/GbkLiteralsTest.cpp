// The engine build's literals are the native build's: the sample compiled by
// g++ with -fexec-charset=GB18030 and its copy rewritten by
// scripts/gbk-literals.py, compiled with UTF-8 as the execution character
// set, hold the same bytes.

#include <cstdio>
#include <string>

#include "FuzzSupport.h"

namespace brevaro::fuzz {
namespace compiled {
std::string sample();
}
namespace rewritten {
std::string sample();
}
}  // namespace brevaro::fuzz

int main() {
    const std::string compiled = brevaro::fuzz::compiled::sample();
    const std::string rewritten = brevaro::fuzz::rewritten::sample();
    if (compiled != rewritten) {
        std::fprintf(stderr, "g++:       %s\nrewritten: %s\n", brevaro::fuzz::shown(compiled).c_str(),
                     brevaro::fuzz::shown(rewritten).c_str());
        return 1;
    }
    std::printf("%zu bytes alike: %s\n", compiled.size(), brevaro::fuzz::shown(compiled).c_str());
    return 0;
}
