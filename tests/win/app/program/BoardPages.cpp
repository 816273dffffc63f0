#include "BoardPages.h"

#include "TestSupport.h"
#include "text/WideText_win.h"
#include "win/support/UnixPath.h"

namespace brevaro::test {

std::string boardFixture(const std::string& name) {
    const std::string path = std::string(BREVARO_FIXTURE_DIR) + "/boards/" + name;
    return readBytes(windowsPathOf(path.c_str())).value_or(std::string());
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string membersView(const std::string& forumPage) {
    return replaced(forumPage, "viewlostpw=1", "viewlostpw=0");
}

std::wstring replaced(std::wstring text, const std::wstring& from, const std::wstring& to) {
    for (std::size_t at = text.find(from); at != std::wstring::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string withNewPosts(const std::string& page, const FirstPost& first,
                         const std::vector<NewPost>& posts) {
    const std::size_t inside = page.find(first.id);
    const std::size_t start = page.rfind(first.open, inside);
    const std::size_t end = page.find(first.close, inside);
    if (inside == std::string::npos || start == std::string::npos || end == std::string::npos)
        return {};
    const auto encoded = [&first](const std::wstring& text) {
        return first.utf8Page ? text::wideToUtf8(text) : text::wideToGbk(text);
    };
    const std::string post = page.substr(start, end + first.close.size() - start) + "\r\n";
    std::string added;
    for (const NewPost& p : posts)
        added += replaced(replaced(post, encoded(first.title), encoded(p.title)), first.id, p.id);
    return page.substr(0, start) + added + page.substr(start);
}

}  // namespace brevaro::test
