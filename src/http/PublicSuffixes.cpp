#include "http/PublicSuffixes.h"

#include <algorithm>
#include <iterator>

namespace brevaro::http {
namespace {

// A part of the public suffix list's ICANN section, the names under these
// top-level domains that deal sites and their users meet; the list's private
// entries (hosting providers' names) are left out. Every name here stands on
// a name that is a public suffix too (its last label), which is what
// registrableDomain relies on.
constexpr std::string_view kPublicSuffixes[] = {
    // Top-level domains common on Chinese sites.
    "com", "net", "org", "info", "biz", "io", "co", "me", "so", "cc", "tv", "top", "xyz", "vip",
    "club", "site", "online", "shop", "ltd", "wang", "ink", "pro", "mobi", "name",
    // The mainland.
    "cn", "com.cn", "net.cn", "org.cn", "gov.cn", "edu.cn", "ac.cn", "mil.cn",
    "ah.cn", "bj.cn", "cq.cn", "fj.cn", "gd.cn", "gs.cn", "gx.cn", "gz.cn", "ha.cn", "hb.cn",
    "he.cn", "hi.cn", "hk.cn", "hl.cn", "hn.cn", "jl.cn", "js.cn", "jx.cn", "ln.cn", "mo.cn",
    "nm.cn", "nx.cn", "qh.cn", "sc.cn", "sd.cn", "sh.cn", "sn.cn", "sx.cn", "tj.cn", "tw.cn",
    "xj.cn", "xz.cn", "yn.cn", "zj.cn",
    // Hong Kong and Macao.
    "hk", "com.hk", "net.hk", "org.hk", "edu.hk", "gov.hk", "idv.hk",
    "mo", "com.mo", "net.mo", "org.mo", "edu.mo", "gov.mo",
    // Taiwan.
    "tw", "com.tw", "net.tw", "org.tw", "edu.tw", "gov.tw", "mil.tw", "idv.tw", "game.tw",
    "ebiz.tw", "club.tw",
    // Second levels under the generic-looking country domains.
    "com.co", "net.co", "org.co", "com.so", "net.so", "org.so", "com.io", "net.io", "org.io",
    "com.me", "net.me", "org.me",
};

}  // namespace

bool isPublicSuffix(std::string_view host) {
    if (host.find('.') == std::string_view::npos) return true;
    return std::find(std::begin(kPublicSuffixes), std::end(kPublicSuffixes), host) != std::end(kPublicSuffixes);
}

std::string_view registrableDomain(std::string_view host) {
    if (host.empty() || isPublicSuffix(host)) return {};
    // From the shortest name to the longest: the first that is not a public
    // suffix while the one it stands on is.
    std::size_t at = host.rfind('.');
    while (true) {
        const std::size_t before = at == 0 ? std::string_view::npos : host.rfind('.', at - 1);
        const std::string_view name = host.substr(before == std::string_view::npos ? 0 : before + 1);
        if (!isPublicSuffix(name)) return name;
        if (before == std::string_view::npos) return {};
        at = before;
    }
}

}  // namespace brevaro::http
