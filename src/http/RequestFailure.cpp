#include "http/RequestFailure.h"

namespace brevaro::http {
namespace {

// winhttp.h's ERROR_WINHTTP_* values.
constexpr std::uint32_t kTimeout = 12002;
constexpr std::uint32_t kNameNotResolved = 12007;
constexpr std::uint32_t kCannotConnect = 12029;
constexpr std::uint32_t kConnectionError = 12030;

}  // namespace

RequestFailure requestFailureOf(std::uint32_t platformError) {
    switch (platformError) {
        case 0: return RequestFailure::None;
        case kCannotConnect: return RequestFailure::Refused;
        case kTimeout: return RequestFailure::TimedOut;
        case kNameNotResolved: return RequestFailure::HostNotFound;
        case kConnectionError: return RequestFailure::ConnectionLost;
        default: return RequestFailure::NoAnswer;
    }
}

}  // namespace brevaro::http
