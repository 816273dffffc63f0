// The program's windows and controls as a user's tools find them right
// after start-up: each where the window catalogue puts it, with its caption
// and kind; the board pages with their columns and initial values.

// commctrl.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ShellDriver.h"

namespace brevaro::test {
namespace {

struct Place {
    LONG left, top, width, height;
};

struct Expected {
    const char* name;
    std::vector<int> path;  // control ids from the main window down
    Place place;
    const wchar_t* className;
    const wchar_t* caption;  // nullptr: not checked
};

testing::AssertionResult matches(const ShellProcess& shell, const Expected& e) {
    const HWND control = shell.control(e.path);
    if (control == nullptr) return testing::AssertionFailure() << "missing";
    const RECT rect = placeOf(control);
    if (rect.left != e.place.left || rect.top != e.place.top || widthOf(rect) != e.place.width ||
        heightOf(rect) != e.place.height) {
        return testing::AssertionFailure() << "at (" << rect.left << "," << rect.top << ","
                                           << widthOf(rect) << "," << heightOf(rect) << ")";
    }
    if (_wcsicmp(classOf(control).c_str(), e.className) != 0) {
        return testing::AssertionFailure() << "class " << testing::PrintToString(classOf(control));
    }
    if (e.caption != nullptr && textOf(control) != e.caption) {
        return testing::AssertionFailure() << "caption " << testing::PrintToString(textOf(control));
    }
    return testing::AssertionSuccess();
}

constexpr const wchar_t* kPicture = L"Brevaro.Picture";
constexpr const wchar_t* kButton = L"Button";
constexpr const wchar_t* kStatic = L"Static";
constexpr const wchar_t* kEdit = L"Edit";

const std::vector<const wchar_t*> kNavNames{
    L"赚客大家谈", L"活动线报",   L"果果换物", L"赚品交换",     L"邀请专区", L"做任务赚果",
    L"爱Q生活网",  L"小刀娱乐网", L"Lumaq",    L"登录赚吧账号", L"使用说明"};
const std::vector<LONG> kNavTops{50, 89, 128, 167, 206, 246, 284, 323, 362, 401, 440};

class ShellCatalogue : public testing::Test {
  protected:
    static void SetUpTestSuite() { shell = new ShellProcess({}); }
    static void TearDownTestSuite() {
        delete shell;
        shell = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(shell->started()) << "the program did not come up"; }
    static ShellProcess* shell;
};
ShellProcess* ShellCatalogue::shell = nullptr;

TEST_F(ShellCatalogue, MainWindowControlsSitWhereTheCatalogueSays) {
    std::vector<Expected> table{
        {"background", {1001}, {0, 0, 1048, 550}, kPicture, L""},
        {"logo", {1002}, {11, 8, 32, 32}, kPicture, L""},
        {"product name", {1003}, {52, 11, 80, 30}, kStatic, L"Brevaro"},
        // 441 wide by design; wider so the bold sentence is never cut.
        {"disclaimer",
         {1004},
         {313, 9, 505, 30},
         kStatic,
         L"本程序仅供于学习参考，禁止用于任何违法用途，任何法律责任由使用者承担"},
        {"QR tool button", {1005}, {144, 8, 104, 32}, kButton, L"二维码生成工具"},
        {"settings button", {1006}, {827, 11, 30, 30}, kButton, nullptr},
        {"top divider", {1007}, {856, 1, 1, 50}, kPicture, nullptr},
        {"contact box", {1008}, {865, 15, 123, 22}, kPicture, nullptr},
        {"contact label", {1008, 1202}, {26, 1, 80, 20}, kStatic, L"查看更多"},
        {"contact overlay", {1008, 1203}, {0, 0, 108, 20}, kStatic, L""},
        {"corner divider", {1009}, {135, 0, 1, 50}, kPicture, nullptr},
        {"exit separator", {1010}, {0, 509, 135, 2}, kPicture, nullptr},
        {"exit button", {1011}, {0, 510, 135, 40}, kButton, L"退出"},
        {"page container", {1012}, {137, 50, 847, 474}, L"SysTabControl32", nullptr},
        {"status bar", {1013}, {135, 524, 913, 30}, kPicture, nullptr},
        {"network indicator", {1013, 1301}, {4, 5, 20, 20}, kPicture, nullptr},
        {"status divider", {1013, 1302}, {27, 0, 1, 30}, kPicture, nullptr},
        {"announcement", {1013, 1303}, {33, 2, 880, 24}, kStatic, nullptr},
        {"settings panel", {1014}, {984, 0, 300, 550}, kPicture, nullptr},
        {"group button", {1014, 1401}, {34, 11, 30, 30}, kButton, nullptr},
        {"panel separator", {1014, 1402}, {26, 49, 280, 1}, kPicture, nullptr},
        {"panel picture", {1014, 1403}, {133, 71, 60, 60}, kPicture, nullptr},
        {"placeholder", {1014, 1404}, {26, 150, 273, 24}, kStatic, L"等待更新添加"},
        {"version", {1014, 1405}, {25, 520, 273, 30}, kStatic, L"当前版本:V2.5"},
        {"login browser", {1012, 1509, 200}, {0, 0, 845, 477}, kPicture, nullptr},
        {"usage text", {1012, 1510, 300}, {7, 6, 832, 240}, kStatic, nullptr},
        {"feedback button", {1012, 1510, 301}, {335, 342, 128, 40}, kButton, L"点我加群反馈"},
    };
    for (int page = 0; page < 11; ++page) {
        table.push_back({"navigation button",
                         {1001, 1100 + page},
                         {0, kNavTops[static_cast<std::size_t>(page)], 135, 39},
                         kButton,
                         kNavNames[static_cast<std::size_t>(page)]});
        table.push_back({"page", {1012, 1500 + page}, {0, 0, 847, 474}, nullptr, nullptr});
    }
    for (const Expected& e : table) {
        if (e.className == nullptr) {
            EXPECT_NE(shell->control(e.path), nullptr) << e.name;
            continue;
        }
        EXPECT_TRUE(matches(*shell, e)) << e.name;
    }

    // The window itself: 978 x 550, centred on the screen, borderless,
    // owned by the shadow window.
    RECT main{};
    GetWindowRect(shell->main(), &main);
    EXPECT_EQ(widthOf(main), 978);
    EXPECT_EQ(heightOf(main), 550);
    EXPECT_EQ(main.left, (GetSystemMetrics(SM_CXSCREEN) - 978) / 2);
    EXPECT_EQ(main.top, (GetSystemMetrics(SM_CYSCREEN) - 550) / 2);
    EXPECT_EQ(GetWindowLongPtrW(shell->main(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_EQ(GetWindow(shell->main(), GW_OWNER), shell->shadow());
    // The usage notes open with their first line.
    EXPECT_EQ(
        textOf(shell->control({1012, 1510, 300})).rfind(L"其他说明：\r\n1、本程序每个版块", 0), 0u);
}

TEST_F(ShellCatalogue, StatusBarAndSettingsPanelLieAboveThePageContainer) {
    // Z order: a window earlier in GW_HWNDNEXT order is above the later ones.
    auto above = [&](HWND upper, HWND lower) {
        for (HWND w = GetWindow(upper, GW_HWNDNEXT); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
            if (w == lower) return true;
        }
        return false;
    };
    const HWND container = shell->control({1012});
    EXPECT_TRUE(above(shell->control({1013}), container));
    EXPECT_TRUE(above(shell->control({1014}), container));
    EXPECT_TRUE(above(container, shell->control({1001}))) << "the background lies below everything";
}

TEST_F(ShellCatalogue, BoardPagesCarryTheirColumnsControlsAndInitialValues) {
    struct Columns {
        std::vector<std::wstring> captions;
        std::vector<int> widths;
        std::vector<int> formats;
    };
    const std::wstring title = std::wstring(26, L' ') + L"帖子标题(双击标题打开原帖)";
    const int Lt = LVCFMT_LEFT, Ct = LVCFMT_CENTER;
    const Columns standard{{L"序列", L"阅读权限", title, L"评论/浏览量", L"发帖时间", L"链接"},
                           {40, 60, 480, 100, 138, 0},
                           {Lt, Ct, Lt, Ct, Ct, Ct}};
    const Columns goods{{L"序列", L"交易类型", title, L"剩余数量", L"发帖时间", L"链接"},
                        {40, 60, 480, 100, 138, 0},
                        {Lt, Ct, Lt, Ct, Ct, Ct}};
    const Columns prizes{{L"序列", L"交易类型", title, L"评论/浏览量", L"发帖时间", L"链接"},
                         {40, 60, 480, 100, 138, 0},
                         {Lt, Ct, Lt, Ct, Ct, Ct}};
    const Columns tasks{
        {L"序列", L"任务类型", L"任务赏金", title, L"任务剩余量", L"发帖时间", L"链接"},
        {40, 60, 80, 400, 100, 138, 0},
        {Lt, Ct, Ct, Lt, Ct, Ct, Ct}};
    const Columns articles{{L"序列", L"文章标题（双击打开原网址）", L"文章发布时间", L"帖子地址"},
                           {40, 600, 150, 0},
                           {Lt, Ct, Ct, Ct}};
    const std::vector<const Columns*> byPage{&standard, &standard, &goods,    &prizes,  &standard,
                                             &tasks,    &articles, &articles, &articles};

    for (int page = 0; page < 9; ++page) {
        SCOPED_TRACE("page " + std::to_string(page));
        const int pageId = 1500 + page;
        const HWND list = shell->control({1012, pageId, 100});
        ASSERT_NE(list, nullptr);
        const std::vector<ShellProcess::Column> columns = shell->columnsOf(list);
        const Columns& expected = *byPage[static_cast<std::size_t>(page)];
        ASSERT_EQ(columns.size(), expected.captions.size());
        for (std::size_t i = 0; i < columns.size(); ++i) {
            EXPECT_EQ(columns[i].caption, expected.captions[i]) << "column " << i;
            EXPECT_EQ(columns[i].width, expected.widths[i]) << "column " << i;
            EXPECT_EQ(columns[i].format, expected.formats[i]) << "column " << i;
        }
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(list, GWL_STYLE));
        EXPECT_EQ(style & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
        EXPECT_NE(style & LVS_OWNERDATA, 0u);
        EXPECT_NE(style & LVS_SINGLESEL, 0u);
        EXPECT_NE(style & LVS_SHOWSELALWAYS, 0u);
        EXPECT_NE(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT, 0);
        EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);

        const HWND panel = shell->control({1012, pageId, 101});
        EXPECT_EQ(textOf(panel),
                  std::wstring(kNavNames[static_cast<std::size_t>(page)]) + L"_控制面板");
        std::vector<Expected> controls{
            {"control panel", {1012, pageId, 101}, {-1, 347, 841, 128}, kButton, nullptr},
            {"interval group", {1012, pageId, 101, 110}, {12, 19, 168, 95}, kButton, L""},
            {"interval label",
             {1012, pageId, 101, 110, 111},
             {15, 19, 152, 24},
             kStatic,
             L"监控间隔设置         秒"},
            {"interval box", {1012, pageId, 101, 110, 112}, {89, 19, 48, 24}, kEdit, L"10"},
            {"stay label",
             {1012, pageId, 101, 110, 113},
             {15, 53, 144, 24},
             kStatic,
             L"弹窗停留设置         秒"},
            {"stay box", {1012, pageId, 101, 110, 114}, {89, 53, 48, 24}, kEdit, L"10"},
            {"keyword group", {1012, pageId, 101, 120}, {187, 19, 398, 95}, kButton, L""},
            {"keyword label",
             {1012, pageId, 101, 120, 121},
             {13, 9, 216, 24},
             kStatic,
             L"关键词监控设置：分隔符*留空则不监控"},
            {"voice check", {1012, pageId, 101, 120, 122}, {238, 11, 72, 22}, kButton, L"语音提醒"},
            {"popup check", {1012, pageId, 101, 120, 123}, {317, 11, 72, 22}, kButton, L"弹窗提醒"},
            {"keyword box", {1012, pageId, 101, 120, 124}, {7, 36, 384, 48}, kEdit, L""},
            {"start group", {1012, pageId, 101, 130}, {593, 19, 236, 95}, kButton, L""},
            {"start button",
             {1012, pageId, 101, 130, 131},
             {18, 22, 200, 56},
             kButton,
             L"开始监控"},
        };
        for (const Expected& e : controls) EXPECT_TRUE(matches(*shell, e)) << e.name;
        for (int check : {122, 123}) {
            EXPECT_EQ(
                SendMessageW(shell->control({1012, pageId, 101, 120, check}), BM_GETCHECK, 0, 0),
                BST_UNCHECKED);
        }
        EXPECT_TRUE(IsWindowEnabled(shell->control({1012, pageId, 101, 130, 131})));
        const HWND linkBox = shell->control({1012, pageId, 140});
        if (page == 5) {
            ASSERT_NE(linkBox, nullptr);
            EXPECT_FALSE(IsWindowVisible(linkBox));
            const RECT rect = placeOf(linkBox);
            EXPECT_EQ(rect.left, 47);
            EXPECT_EQ(rect.top, 54);
            EXPECT_EQ(widthOf(rect), 96);
            EXPECT_EQ(heightOf(rect), 24);
        } else {
            EXPECT_EQ(linkBox, nullptr);
        }
    }
    // Page 7's button is disabled for good; every other one is enabled.
    for (int page = 0; page < 11; ++page) {
        EXPECT_EQ(IsWindowEnabled(shell->control({1001, 1100 + page})) != FALSE, page != 7) << page;
    }
}

}  // namespace
}  // namespace brevaro::test
