#pragma once
// Why a request got no answer, in the few kinds a user can tell apart. The
// request object keeps the platform's error of its last failed step and
// names it with requestFailureOf. Portable: the numbers are WinHttp's own
// error codes (winhttp.h), which portable code does not include.

#include <cstdint>

namespace brevaro::http {

enum class RequestFailure {
    None,            // the request was answered (or has not failed yet)
    Refused,         // nothing listens at the address: the connection was refused
    TimedOut,        // a time-out of the platform or the request's own time limit
    HostNotFound,    // the host name did not resolve
    ConnectionLost,  // the connection broke off (reset, closed) before the answer was whole
    NoAnswer,        // any other failure: no usable answer came
    Certificate,     // HTTPS: the certificate failed its check, or no secure channel came about
    PassFailed,      // the page came, but the pass over it failed part-way (memory ran out)
};

// The kind of a WinHttp error code; 0 is None, an unknown code NoAnswer.
RequestFailure requestFailureOf(std::uint32_t platformError);

}  // namespace brevaro::http
