// The replay driver: feeds every file of the given files and folders (folders
// walked in name order, hidden files such as .gitkeep left out) to the
// harness's LLVMFuzzerTestOneInput, once each, the way libFuzzer runs a
// single input. No engine, no mutation: what `make test` runs over the
// committed seeds and reproducers.
//
// Usage: fuzz_HARNESS PATH...   (a missing path counts as an empty folder)

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool isHidden(const fs::path& path) { return path.filename().string().starts_with('.'); }

void collect(const fs::path& path, std::vector<fs::path>& files) {
    std::error_code error;
    if (fs::is_directory(path, error)) {
        std::vector<fs::path> found;
        for (const auto& entry : fs::recursive_directory_iterator(path)) {
            if (entry.is_regular_file() && !isHidden(entry.path())) found.push_back(entry.path());
        }
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    } else if (fs::is_regular_file(path, error)) {
        files.push_back(path);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) collect(argv[i], files);
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", file.c_str());
            return 2;
        }
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::printf("%s (%zu bytes)\n", file.c_str(), bytes.size());
        std::fflush(stdout);
        // A copy of exactly the input's size, as libFuzzer hands it over, so
        // AddressSanitizer sees a read past its end.
        std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("replayed %zu inputs\n", files.size());
    return 0;
}
