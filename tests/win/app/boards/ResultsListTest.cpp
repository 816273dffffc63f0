// The results list as the list view shows it: columns, cells read back with
// LVM_GETITEMTEXTW (the virtual list answers through LVN_GETDISPINFOW), the
// rows after appends and rebuilds, the selection across a rebuild.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/boards/ResultsList_win.h"
#include "app/boards/TestBoardPage.h"
#include "monitor/Board.h"
#include "text/WideText_win.h"

namespace brevaro::app {
namespace {

using monitor::ResultRow;
using test::RecordingAlerts;
using test::TestBoardPage;

ResultRow forumRow(const std::string& title, const std::string& replies = "1", const std::string& views = "20") {
    ResultRow row;
    row.title = title;
    row.readLevel = "10";
    row.replies = replies;
    row.views = views;
    row.postTime = "2026-12-8";
    row.link = "thread-" + title + "-1-1.html";
    return row;
}

// The title column and the number column, item by item.
std::vector<std::string> numberedTitles(const TestBoardPage& page) {
    std::vector<std::string> shown;
    for (int item = 0; item < page.shownCount(); ++item) {
        shown.push_back(page.shownCell(item, 0) + " " + page.shownCell(item, 2));
    }
    return shown;
}

monitor::SharedRow shared(ResultRow row) { return std::make_shared<const ResultRow>(std::move(row)); }

void select(HWND list, int item) {
    LVITEMW state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
}

class ResultsListView : public testing::Test {
protected:
    // The worker's model of these titles: one row per title, shared by every
    // model made here, as the worker's rows are with the list.
    monitor::BoardRows model(const std::vector<std::string>& titles) {
        monitor::BoardRows rows;
        for (const std::string& title : titles) {
            auto [known, isNew] = rows_.try_emplace(title);
            if (isNew) known->second = shared(forumRow(title));
            rows.push_back(known->second);
        }
        return rows;
    }

    RecordingAlerts alerts;
    TestBoardPage page{1, "http://127.0.0.1:1/forum-19-1.html", alerts};
    ResultsList& list = page.controller().results();

private:
    std::map<std::string, monitor::SharedRow> rows_;
};

TEST(ResultsListColumns, EveryBoardShowsItsCaptionsWidthsAndAlignments) {
    RecordingAlerts alerts;
    for (const monitor::BoardSpec& board : monitor::boardCatalogue()) {
        SCOPED_TRACE(board.pageIndex);
        TestBoardPage page(board.pageIndex, "", alerts);
        const HWND header = reinterpret_cast<HWND>(SendMessageW(page.controls().list, LVM_GETHEADER, 0, 0));
        ASSERT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(board.columns.size()));
        for (std::size_t i = 0; i < board.columns.size(); ++i) {
            const monitor::ColumnSpec& expected = board.columns[i];
            wchar_t caption[256] = {};
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            column.pszText = caption;
            column.cchTextMax = 256;
            ASSERT_TRUE(SendMessageW(page.controls().list, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column)));
            EXPECT_EQ(std::wstring(caption), text::gbkToWide(expected.caption)) << "column " << i;
            EXPECT_EQ(column.cx, expected.width) << "column " << i;
            if (i > 0) {  // a list view's first column is always left-aligned
                EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK,
                          expected.align == monitor::ColumnAlign::Center ? LVCFMT_CENTER : LVCFMT_LEFT)
                    << "column " << i;
            }
        }
        EXPECT_EQ(board.columns[static_cast<std::size_t>(board.linkColumn)].width, 0);
    }
}

TEST_F(ResultsListView, CellsComposeTheRowsFieldsAndNumberFromTheTop) {
    list.append(shared(forumRow("A", "12", "3456")));
    list.append(shared(forumRow("B", "", "")));
    const std::vector<std::vector<std::string>> expected = {
        {"1", "10", "A", "12/3456", "2026-12-8", "thread-A-1-1.html"},
        {"2", "10", "B", "/", "2026-12-8", "thread-B-1-1.html"},
    };
    EXPECT_EQ(page.shownRows(), expected);
    EXPECT_EQ(list.linkAt(1), "thread-B-1-1.html");
    EXPECT_EQ(page.shownCell(2, 2), "") << "no item past the end";
}

// The worker's rebuilds: the first after the baseline's appends shows the
// whole model; later ones take over the rows new at the front.
TEST_F(ResultsListView, RebuildsShowTheModelExactly) {
    list.append(model({"A"})[0]);
    list.append(model({"C"})[0]);
    list.rebuild(model({"D", "A", "B", "C"}));
    EXPECT_EQ(numberedTitles(page), (std::vector<std::string>{"1 D", "2 A", "3 B", "4 C"}));
    list.rebuild(model({"F", "E", "D", "A", "B", "C"}));
    EXPECT_EQ(numberedTitles(page), (std::vector<std::string>{"1 F", "2 E", "3 D", "4 A", "5 B", "6 C"}));
    // A model that did not merely grow at the front is shown as it is.
    list.rebuild(model({"G", "X", "D", "A", "B", "C", "Y"}));
    EXPECT_EQ(numberedTitles(page),
              (std::vector<std::string>{"1 G", "2 X", "3 D", "4 A", "5 B", "6 C", "7 Y"}));
    list.rebuild(model({"Z"}));
    EXPECT_EQ(numberedTitles(page), (std::vector<std::string>{"1 Z"}));
    list.clear();
    EXPECT_EQ(page.shownCount(), 0);
    list.rebuild(model({"B", "A"}));
    EXPECT_EQ(numberedTitles(page), (std::vector<std::string>{"1 B", "2 A"}));
}

TEST_F(ResultsListView, TheSelectedRowStaysSelectedWhenRowsComeOnTop) {
    list.rebuild(model({"C", "B", "A"}));
    select(page.controls().list, 1);  // B
    list.rebuild(model({"E", "D", "C", "B", "A"}));
    ASSERT_TRUE(list.selectedIndex());
    EXPECT_EQ(*list.selectedIndex(), 3u);
    EXPECT_EQ(list.linkAt(*list.selectedIndex()), "thread-B-1-1.html");
    EXPECT_EQ(SendMessageW(page.controls().list, LVM_GETSELECTEDCOUNT, 0, 0), 1);

    // The oldest rows leave the model at the bottom: the selected row stays
    // selected while it is kept.
    list.rebuild(model({"F", "E", "D", "C", "B"}));
    EXPECT_EQ(numberedTitles(page), (std::vector<std::string>{"1 F", "2 E", "3 D", "4 C", "5 B"}));
    ASSERT_TRUE(list.selectedIndex());
    EXPECT_EQ(list.linkAt(*list.selectedIndex()), "thread-B-1-1.html");
    list.rebuild(model({"G", "F", "E", "D"}));
    EXPECT_EQ(numberedTitles(page), (std::vector<std::string>{"1 G", "2 F", "3 E", "4 D"}));
    EXPECT_FALSE(list.selectedIndex()) << "the selected row has left the list";

    // Shown afresh, the old positions hold other rows: nothing is selected.
    select(page.controls().list, 1);
    list.rebuild(model({"X", "Y"}));
    EXPECT_FALSE(list.selectedIndex());
    list.clear();
    EXPECT_FALSE(list.selectedIndex());
}

}  // namespace
}  // namespace brevaro::app
