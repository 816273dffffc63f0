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
#include "text/Encoding.h"

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg(argv[i]);
        args.push_back(brevaro::text::utf16ToUtf8(
            std::u16string(reinterpret_cast<const char16_t*>(arg.data()), arg.size())));
    }
    return brevaro::cli::runCli(args, std::cout, std::cerr);
}
