// The results list's rebuild at 100, 10,000 and 100,000 rows: the worker
// rebuilds the list for every new matching row, handing over its whole
// model with the new row at the front. The goal is a flat cost: a rebuild
// must not grow with the rows already shown. Google Benchmark is built
// natively only, so this Windows program times with QueryPerformanceCounter
// and prints each size's median and its ratio to the smallest.
//
// A hidden window holds the virtual list view, as a board page does.
// Run under Wine: build/<win64 build>/bench/brevaro_results_list_bench.exe

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/boards/ResultsList_win.h"
#include "app/widgets/WindowClass_win.h"
#include "monitor/Board.h"

namespace {

using brevaro::app::ResultsList;
using brevaro::monitor::ResultRow;

constexpr int kRepeats = 201;

ResultsList* g_list = nullptr;

LRESULT CALLBACK pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && g_list != nullptr) {
        LRESULT result = 0;
        if (g_list->handleNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return result;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

ResultRow forumRow(long long n) {
    ResultRow row;
    row.title = "京东 满100减20 红包 第" + std::to_string(n) + "帖";
    row.readLevel = "10";
    row.replies = std::to_string(n % 97);
    row.views = std::to_string(n % 4099);
    row.postTime = "2026-12-8 10:05";
    row.link = "thread-" + std::to_string(n) + "-1-1.html";
    return row;
}

double nowMicroseconds() {
    static const double perMicrosecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1e6;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / perMicrosecond;
}

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// Median time of one rebuild that brings one new row at the front of a
// model of `rows` rows; `selectRow` selects a row first, as a user may have.
double rebuildMedian(HWND page, std::size_t rows, bool selectRow) {
    const HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"",
                                      WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                                          LVS_SHOWSELALWAYS,
                                      0, 0, 840, 345, page, nullptr, GetModuleHandleW(nullptr), nullptr);
    brevaro::monitor::BoardRows model;
    for (std::size_t i = 0; i < rows; ++i) {
        model.push_back(std::make_shared<const ResultRow>(forumRow(static_cast<long long>(i))));
    }
    ResultsList results(list, brevaro::monitor::boardForPage(1)->columns, 5);
    g_list = &results;
    results.clear();
    results.rebuild(model);  // the first rebuild after a start copies the model once
    if (selectRow) {
        LVITEMW item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&item));
    }
    std::vector<double> samples;
    for (int i = 0; i < kRepeats; ++i) {
        model.push_front(std::make_shared<const ResultRow>(forumRow(1000000 + i)));
        const double started = nowMicroseconds();
        results.rebuild(model);
        samples.push_back(nowMicroseconds() - started);
    }
    if (results.size() != model.size() || results.cellAt(0, 2) != model.front()->title) {
        std::fprintf(stderr, "the list does not show the model\n");
    }
    g_list = nullptr;
    DestroyWindow(list);
    return median(samples);
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    constexpr wchar_t kPageClass[] = L"Brevaro.ResultsListBench";
    brevaro::app::registerWindowClass(kPageClass, pageProc);
    const HWND page = CreateWindowExW(0, kPageClass, L"", WS_OVERLAPPEDWINDOW, 0, 0, 860, 400, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    if (page == nullptr) {
        std::fprintf(stderr, "no window\n");
        return 1;
    }

    const std::size_t sizes[] = {100, 10000, 100000};
    for (const bool selected : {false, true}) {
        std::printf("rebuild with one new row at the front%s (median of %d)\n",
                    selected ? ", a row selected" : "", kRepeats);
        double base = 0;
        for (const std::size_t rows : sizes) {
            const double microseconds = rebuildMedian(page, rows, selected);
            if (base == 0) base = microseconds;
            std::printf("  %7zu rows: %9.2f us  ratio %.2f\n", rows, microseconds, microseconds / base);
        }
    }
    DestroyWindow(page);
    return 0;
}
