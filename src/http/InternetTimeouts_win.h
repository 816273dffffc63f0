#pragma once
// A WinINet request's time-outs under a time limit. Declared without
// wininet.h (the handle is a void*), which cannot share a translation unit
// with winhttp.h.

#include "http/Deadline.h"

namespace brevaro::http {

// Sets the connect, send and receive time-outs of a WinINet request handle
// to the smaller of its own and the time the deadline leaves; changes
// nothing without a limit. Called before each blocking call of the request;
// the one before HttpSendRequest is the one that counts under Wine, whose
// WinINet takes a request's time-outs when it sends it and keeps them for
// the body's reads.
void cutInternetTimeouts(void* request, const Deadline& deadline);

}  // namespace brevaro::http
