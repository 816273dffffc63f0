// The companion program file next to the running executable: this test
// executable carries Pellis.exe as the program does and writes it next to
// itself.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <latch>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "alerts/Companion.h"
#include "text/WideText_win.h"

namespace brevaro::alerts {
namespace {

std::wstring exeDirectory() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring full(path, length);
    return full.substr(0, full.find_last_of(L'\\'));
}

std::wstring companionPath() { return exeDirectory() + L"\\Pellis.exe"; }

std::optional<std::string> companionBytes() { return test::readBytes(std::filesystem::path(companionPath())); }

// The temporary files a writer leaves behind, if any.
std::vector<std::wstring> leftoverTemporaries() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((exeDirectory() + L"\\Pel*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.emplace_back(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// Each case starts without the file and leaves the real program behind for
// the alert tests.
class CompanionFile : public testing::Test {
protected:
    void SetUp() override {
        builtProgram = test::readBytes(BREVARO_PELLIS_EXE).value_or("");
        ASSERT_TRUE(builtProgram.starts_with("MZ")) << "the built companion, " << BREVARO_PELLIS_EXE;
        DeleteFileW(companionPath().c_str());
        ASSERT_EQ(GetFileAttributesW(companionPath().c_str()), INVALID_FILE_ATTRIBUTES);
    }
    void TearDown() override {
        DeleteFileW(companionPath().c_str());
        ensureCompanionProgram();
    }
    std::string builtProgram;
};

TEST_F(CompanionFile, PathIsPellisExeBesideTheExecutable) {
    EXPECT_EQ(text::gbkToWide(companionProgramPath()), companionPath());
}

TEST_F(CompanionFile, WritesTheEmbeddedProgramWhenMissing) {
    ensureCompanionProgram();
    EXPECT_EQ(companionBytes(), builtProgram) << "byte for byte the Pellis.exe of this build";
    EXPECT_EQ(leftoverTemporaries(), std::vector<std::wstring>{});
}

TEST_F(CompanionFile, LeavesAnyExistingFileAlone) {
    {
        std::ofstream stale(std::filesystem::path(companionPath()), std::ios::binary);
        stale << "an older companion";
    }
    ensureCompanionProgram();
    EXPECT_EQ(companionBytes(), "an older companion");
}

// Writers that find the file missing at the same moment leave one complete
// file and no temporary one, and meanwhile nobody looking at the path (a
// launcher about to start it) ever finds an incomplete program there.
TEST_F(CompanionFile, WritersAtTheSameMomentNeverShowAnIncompleteFile) {
    constexpr int kWriters = 8;
    for (int round = 0; round < 10; ++round) {
        SCOPED_TRACE(round);
        DeleteFileW(companionPath().c_str());
        std::latch start(kWriters + 1);
        std::atomic<bool> writing = true;
        std::vector<std::size_t> incompleteSizes;
        std::thread watcher([&] {
            start.arrive_and_wait();
            while (writing) {
                if (GetFileAttributesW(companionPath().c_str()) == INVALID_FILE_ATTRIBUTES) continue;
                const std::optional<std::string> seen = companionBytes();
                if (seen && *seen != builtProgram) incompleteSizes.push_back(seen->size());
            }
        });
        std::vector<std::thread> writers;
        for (int i = 0; i < kWriters; ++i) {
            writers.emplace_back([&start] {
                start.arrive_and_wait();
                ensureCompanionProgram();
            });
        }
        for (std::thread& writer : writers) writer.join();
        writing = false;
        watcher.join();
        EXPECT_EQ(incompleteSizes, std::vector<std::size_t>{}) << "sizes seen while the file was being written";
        EXPECT_EQ(companionBytes(), builtProgram);
        EXPECT_EQ(leftoverTemporaries(), std::vector<std::wstring>{});
    }
}

}  // namespace
}  // namespace brevaro::alerts
