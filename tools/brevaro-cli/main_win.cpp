// Windows entry: the arguments arrive as UTF-16 and are handed on as UTF-8;
// output is written as bytes (no "\n" to "\r\n" translation), as the native
// tool writes it.

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "Cli.h"
#include "text/WideText_win.h"

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(brevaro::text::wideToUtf8(argv[i]));
    }
    return brevaro::cli::runCli(args, std::cout, std::cerr);
}
