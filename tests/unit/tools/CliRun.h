#pragma once
// Runs a brevaro-cli command in-process, as the tool's main() would.

#include <sstream>
#include <string>
#include <vector>

#include "Cli.h"

namespace brevaro::cli {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

inline CliRun runTool(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = runCli(args, out, err);
    return {code, out.str(), err.str()};
}

}  // namespace brevaro::cli
