// Windows entry: the arguments arrive as UTF-16 and are handed on as UTF-8;
// output is written as bytes (no "\n" to "\r\n" translation), as the native
// tool writes it.

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "Cli.h"
#include "monitor/ThreadLibrary_win.h"
#include "text/WideText_win.h"

int wmain(int argc, wchar_t** argv) {
    brevaro::monitor::prepareThreadLibrary();
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(brevaro::text::wideToUtf8(argv[i]));
    }
    const int code = brevaro::cli::runCli(args, std::cout, std::cerr);
    // Ended with ExitProcess, which ends every other thread first: `watch`
    // leaves its board's fetch thread, a sound's thread or a worker blocked
    // in a call to a window that no longer pumps, and no exit handler of
    // the C++ runtime may run while they do.
    std::cout.flush();
    std::cerr.flush();
    ExitProcess(static_cast<UINT>(code));
}
