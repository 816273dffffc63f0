#pragma once
// Helpers shared by the tests. Narrow string literals in tests are GBK, as in
// the program (the build compiles them to code page 936); u8"" literals are
// UTF-8.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace brevaro::test {

inline std::string utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

// The bytes of a file, or nullopt when it cannot be read.
inline std::optional<std::string> readBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return std::string{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::filesystem::path fixturePath(const std::string& name) {
    return std::filesystem::path(BREVARO_FIXTURE_DIR) / name;
}

// Every board's sample page, by page index: tests/fixtures/boards/FILE.html.
struct BoardSample {
    int page;
    const char* file;
};
inline constexpr BoardSample kBoardSamples[] = {
    {0, "forum-15-1"}, {1, "forum-19-1"}, {2, "forum-31-1"}, {3, "forum-25-1"},
    {4, "forum-20-1"}, {5, "forum-11-1"}, {6, "iqshw-front"}, {8, "lumaq-front"},
};

// Real pages that no one on this project wrote, kept beside the repository.
inline std::filesystem::path sharedFixturePath(const std::string& name) {
    return std::filesystem::path(BREVARO_SHARED_FIXTURE_DIR) / name;
}

}  // namespace brevaro::test
