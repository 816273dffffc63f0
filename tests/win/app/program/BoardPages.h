#pragma once
// Board pages for the tests that drive the whole program: the sample pages
// of tests/fixtures/boards, and the same pages with new posts on top, each a
// copy of the page's first post with its own id and title, as the site
// shows them once they came in.

#include <string>
#include <vector>

namespace brevaro::test {

// A file of tests/fixtures/boards (empty when it cannot be read).
std::string boardFixture(const std::string& name);

// The first post of a fixture page, which new posts are copied from: the
// text that opens and closes a post, its id and its title, and whether the
// page is UTF-8 (the Lumaq site) rather than GBK.
struct FirstPost {
    std::string open, close, id;
    std::wstring title;
    bool utf8Page = false;
};

struct NewPost {
    std::string id;
    std::wstring title;
};

std::string replaced(std::string text, const std::string& from, const std::string& to);
std::wstring replaced(std::wstring text, const std::wstring& from, const std::wstring& to);

// A forum page as the forum shows it to a member who has logged in: the
// sample pages are a guest's, whose quick-login form carries the link the
// program knows it by; here that link is another one.
std::string membersView(const std::string& forumPage);

// The page with the new posts on top, in the order given; empty when the
// first post is not found on the page.
std::string withNewPosts(const std::string& page, const FirstPost& first,
                         const std::vector<NewPost>& posts);

}  // namespace brevaro::test
