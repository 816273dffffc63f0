#pragma once
// Public suffixes: the names under which anyone may register a site of their
// own ("com", "com.cn"), so a cookie meant for one of them would go to every
// site below it. A small built-in list of the suffixes the boards' users meet
// (common top-level domains, the second levels of the mainland, Hong Kong,
// Macao and Taiwan); every top-level label counts as one as well, listed or
// not. Portable.

#include <string_view>

namespace brevaro::http {

// Whether a host name (lower case, no port, no final ".") is a public suffix:
// a single label, or a name of the list.
bool isPublicSuffix(std::string_view host);

// The registrable domain of a host name (as above): its longest public
// suffix with one more label in front ("foo.com.cn" for "bbs.foo.com.cn");
// empty when the host is itself a public suffix.
std::string_view registrableDomain(std::string_view host);

}  // namespace brevaro::http
