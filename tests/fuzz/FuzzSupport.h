#pragma once
// What every fuzz harness shares: the failure report, splitting an input into
// parts, and the time bound that turns a quadratic path into a finding.
//
// A harness is one libFuzzer entry point (LLVMFuzzerTestOneInput). The engine
// build links it with libFuzzer; the native build links it with the replay
// driver (ReplayMain.cpp), which feeds it the committed seeds and reproducers.
// A broken invariant aborts: libFuzzer keeps the input as a crash, ctest sees
// the replay fail.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Narrow literals are GBK in both builds (g++ compiles them with
// -fexec-charset=GB18030, the engine build gets them rewritten by
// scripts/gbk-literals.py): the harnesses compare the program's own bytes.
static_assert(std::string_view("汉字") == "\xBA\xBA\xD7\xD6", "narrow literals must be GBK");

namespace brevaro::fuzz {

// Reports a broken invariant (where, what) on standard error and aborts.
[[noreturn]] void fail(const char* file, int line, const std::string& what);

#define FUZZ_CHECK(condition, what)                                         \
    do {                                                                    \
        if (!(condition)) ::brevaro::fuzz::fail(__FILE__, __LINE__, what);  \
    } while (false)

// A text shown in a failure report: printable ASCII as it is, every other
// byte as \xNN.
std::string shown(std::string_view bytes);

// The ASCII unit separator 0x1F separates the parts of an input that needs
// several texts (a header block and a name, a base and a link, ...).
inline constexpr char kPartSeparator = '\x1F';

// Splits bytes into at most `count` parts at the separator; the last part
// takes the rest, separators included. Missing parts are empty.
std::vector<std::string_view> splitParts(std::string_view bytes, std::size_t count);

// True when the text holds a CR, an LF or a NUL byte.
bool holdsLineBreakOrNul(std::string_view text);

// Whether `piece` lies inside `text` (a view into its bytes).
bool viewsInto(std::string_view piece, std::string_view text);

// --- The time bound ----------------------------------------------------------
//
// The input is grown: one stretch of it (chosen by its last two bytes, so
// every input picks one and a shrunk reproducer keeps its pick) is repeated
// to make a text of about 1 KiB and one of about 32 KiB, and the work runs
// over both. Linear work costs about 32 times as much on the larger text (up
// to four times that where the larger text no longer fits the caches: seen
// at 2 and 32 KiB under the engine's instrumentation), quadratic work about
// 1000 times; more than 256 times (plus 5 ms for the clock) is a finding,
// confirmed by measuring again before it is reported. Times are the
// thread's CPU time, so other processes on the machine hardly move them.
//
// Growing costs more than the input itself, so the engine grows one input in
// BREVARO_FUZZ_GROW_EVERY (picked by the input's hash; every input when
// unset, as the replay does).
void checkLinearTime(std::string_view input, const std::function<void(std::string_view)>& work,
                     const char* what);

}  // namespace brevaro::fuzz
