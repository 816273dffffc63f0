#pragma once
// Board pages for the tests that drive the whole program: the sample pages
// of tests/fixtures/boards as a site serves them, and the same pages once
// new posts came in on top (each a copy of the page's first post with its
// own id and title).

#include <string>
#include <vector>

#include "TestSupport.h"
#include "support/UnixPath.h"
#include "text/WideText_win.h"

namespace brevaro::test {

// A file of tests/fixtures/boards; empty when it cannot be read.
inline std::string boardFixture(const std::string& name) {
    const std::string path = std::string(BREVARO_FIXTURE_DIR) + "/boards/" + name;
    return readBytes(windowsPathOf(path.c_str())).value_or(std::string());
}

// The first post of a fixture page, which new posts are copied from: the
// text that opens and closes a post, its id and its title.
struct FirstPost {
    std::string open, close, id;
    std::wstring title;
};

struct NewPost {
    std::string id;
    std::wstring title;
};

inline std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

inline std::wstring replaced(std::wstring text, const std::wstring& from, const std::wstring& to) {
    for (std::size_t at = text.find(from); at != std::wstring::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The page with new posts on top, in the order given: the page as the site
// shows it once they came in. Empty when the page lacks its first post.
inline std::string withNewPosts(const std::string& page, const FirstPost& first,
                                const std::vector<NewPost>& posts) {
    const std::size_t inside = page.find(first.id);
    const std::size_t start = page.rfind(first.open, inside);
    const std::size_t end = page.find(first.close, inside);
    if (inside == std::string::npos || start == std::string::npos || end == std::string::npos)
        return {};
    const std::string post = page.substr(start, end + first.close.size() - start) + "\r\n";
    std::string added;
    for (const NewPost& p : posts) {
        added += replaced(replaced(post, text::wideToGbk(first.title), text::wideToGbk(p.title)),
                          first.id, p.id);
    }
    return page.substr(0, start) + added + page.substr(start);
}

}  // namespace brevaro::test
