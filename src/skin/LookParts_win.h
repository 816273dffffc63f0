#pragma once
// The look's painters, one per kind of control (LookLayer_win.cpp dresses a
// window with the one that fits). Each subclasses the control with
// SetWindowSubclass and frees its own state in WM_NCDESTROY.

#include <windows.h>

namespace brevaro::skin {

void dressButton(HWND button);  // push, check, radio and group boxes
void dressField(HWND field);    // edit boxes and list views: their frame
void dressHeader(HWND header);  // list-view headers
void dressTabControl(HWND tabs);
void dressDialog(HWND dialog);   // message boxes
void dressCaption(HWND window);  // top-level windows with a caption

// Subclass ids, one per painter, and the window property each leaves on the
// windows it dresses, so a window is never dressed twice.
inline constexpr UINT_PTR kButtonLookId = 0x4C6B01;
inline constexpr UINT_PTR kFieldLookId = 0x4C6B02;
inline constexpr UINT_PTR kHeaderLookId = 0x4C6B03;
inline constexpr UINT_PTR kTabLookId = 0x4C6B04;
inline constexpr UINT_PTR kDialogLookId = 0x4C6B05;
inline constexpr wchar_t kButtonLookMark[] = L"Brevaro.Look.Button";
inline constexpr wchar_t kFieldLookMark[] = L"Brevaro.Look.Field";
inline constexpr wchar_t kHeaderLookMark[] = L"Brevaro.Look.Header";
inline constexpr wchar_t kTabLookMark[] = L"Brevaro.Look.Tab";
inline constexpr wchar_t kDialogLookMark[] = L"Brevaro.Look.Dialog";

}  // namespace brevaro::skin
