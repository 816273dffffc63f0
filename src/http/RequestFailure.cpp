#include "http/RequestFailure.h"

namespace brevaro::http {
namespace {

// winhttp.h's ERROR_WINHTTP_* values.
constexpr std::uint32_t kTimeout = 12002;
constexpr std::uint32_t kNameNotResolved = 12007;
constexpr std::uint32_t kCannotConnect = 12029;
constexpr std::uint32_t kConnectionError = 12030;
// The certificate errors: the secure channel's summary and each single check
// (unknown authority, wrong name, out of date). WinHttp under Wine reports
// every failed check at Send as the secure channel's error (an unknown
// authority, a wrong name, a wrong usage alike; a server that speaks no TLS
// at all gives it too), so that one counts as a certificate error as well.
constexpr std::uint32_t kSecureFailure = 12175;
constexpr std::uint32_t kSecureChannelError = 12157;
constexpr std::uint32_t kSecureInvalidCa = 12045;
constexpr std::uint32_t kSecureCertCnInvalid = 12038;
constexpr std::uint32_t kSecureCertDateInvalid = 12037;
constexpr std::uint32_t kSecureInvalidCert = 12169;
constexpr std::uint32_t kSecureCertRevFailed = 12057;
constexpr std::uint32_t kSecureCertRevoked = 12170;
constexpr std::uint32_t kSecureCertWrongUsage = 12179;

}  // namespace

RequestFailure requestFailureOf(std::uint32_t platformError) {
    switch (platformError) {
        case 0: return RequestFailure::None;
        case kCannotConnect: return RequestFailure::Refused;
        case kTimeout: return RequestFailure::TimedOut;
        case kNameNotResolved: return RequestFailure::HostNotFound;
        case kConnectionError: return RequestFailure::ConnectionLost;
        case kSecureFailure:
        case kSecureChannelError:
        case kSecureInvalidCa:
        case kSecureCertCnInvalid:
        case kSecureCertDateInvalid:
        case kSecureInvalidCert:
        case kSecureCertRevFailed:
        case kSecureCertRevoked:
        case kSecureCertWrongUsage: return RequestFailure::Certificate;
        default: return RequestFailure::NoAnswer;
    }
}

}  // namespace brevaro::http
