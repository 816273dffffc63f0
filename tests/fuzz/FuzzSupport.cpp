#include "FuzzSupport.h"

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace brevaro::fuzz {
namespace {

constexpr std::size_t kSmallGrowth = 1024;
constexpr std::size_t kLargeFactor = 32;
constexpr double kLimitFactor = 256.0;
constexpr double kClockSlackSeconds = 0.005;

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double secondsFor(const std::function<void(std::string_view)>& work, std::string_view text,
                  int runs) {
    double best = 0;
    for (int run = 0; run < runs; ++run) {
        const double start = threadSeconds();
        work(text);
        const double spent = threadSeconds() - start;
        if (run == 0 || spent < best) best = spent;
    }
    return best;
}

// The stretch that is repeated: its start from the last byte, its length
// from the one before (255 reaches the end of the input).
struct Stretch {
    std::size_t start;
    std::size_t length;
};

Stretch stretchOf(std::string_view input) {
    const std::size_t n = input.size();
    const auto last = static_cast<unsigned char>(input[n - 1]);
    const auto beforeLast = n > 1 ? static_cast<unsigned char>(input[n - 2]) : 255u;
    const std::size_t start = last * n / 256;
    const std::size_t rest = n - start;
    return {start, 1 + beforeLast * (rest - 1) / 255};
}

std::string grown(std::string_view input, const Stretch& stretch, std::size_t times) {
    std::string text(input.substr(0, stretch.start));
    const std::string_view unit = input.substr(stretch.start, stretch.length);
    text.reserve(input.size() + unit.size() * times);
    for (std::size_t i = 0; i < times; ++i) text += unit;
    text += input.substr(stretch.start + stretch.length);
    return text;
}

std::uint64_t hashOf(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::uint64_t growEvery() {
    static const std::uint64_t every = [] {
        const char* text = std::getenv("BREVARO_FUZZ_GROW_EVERY");
        const long value = text ? std::strtol(text, nullptr, 10) : 1;
        return static_cast<std::uint64_t>(value > 1 ? value : 1);
    }();
    return every;
}

}  // namespace

void fail(const char* file, int line, const std::string& what) {
    std::fprintf(stderr, "\n==== fuzz invariant broken at %s:%d\n%s\n", file, line, what.c_str());
    std::fflush(stderr);
    std::abort();
}

std::string shown(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            out += c;
        } else {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    return out;
}

std::vector<std::string_view> splitParts(std::string_view bytes, std::size_t count) {
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < count) {
        const std::size_t at = bytes.find(kPartSeparator);
        if (at == std::string_view::npos) break;
        parts.push_back(bytes.substr(0, at));
        bytes.remove_prefix(at + 1);
    }
    parts.push_back(bytes);
    parts.resize(count);
    return parts;
}

bool holdsLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool viewsInto(std::string_view piece, std::string_view text) {
    const std::less_equal<const char*> notAfter;
    return notAfter(text.data(), piece.data()) &&
           notAfter(piece.data() + piece.size(), text.data() + text.size());
}

void checkLinearTime(std::string_view input, const std::function<void(std::string_view)>& work,
                     const char* what) {
    if (input.empty() || hashOf(input) % growEvery() != 0) return;
    const Stretch stretch = stretchOf(input);
    const std::size_t smallTimes = std::max<std::size_t>(1, kSmallGrowth / stretch.length);
    const std::string small = grown(input, stretch, smallTimes);
    const std::string large = grown(input, stretch, smallTimes * kLargeFactor);

    double smallSeconds = secondsFor(work, small, 3);
    double largeSeconds = secondsFor(work, large, 1);
    const auto tooSlow = [&] { return largeSeconds > kLimitFactor * smallSeconds + kClockSlackSeconds; };
    if (!tooSlow()) return;
    // Once more before it counts: a busy machine can stall one run.
    smallSeconds = std::min(smallSeconds, secondsFor(work, small, 3));
    largeSeconds = std::min(largeSeconds, secondsFor(work, large, 2));
    if (!tooSlow()) return;

    char figures[256];
    std::snprintf(figures, sizeof figures,
                  "%s grows faster than its input: %zu bytes take %.6f s, %zu bytes %.6f s "
                  "(repeated stretch: %zu bytes at %zu)",
                  what, small.size(), smallSeconds, large.size(), largeSeconds, stretch.length,
                  stretch.start);
    fail(__FILE__, __LINE__,
         std::string(figures) + "\nstretch: " + shown(input.substr(stretch.start, stretch.length)));
}

}  // namespace brevaro::fuzz
