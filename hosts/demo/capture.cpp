#include "capture.h"

#include <windows.h>

#include <cstdio>
#include <string_view>

#include "screenshot.h"

namespace kora::demo {
namespace {

// The one capture running: thread timers call back without context.
DialogCapture* g_capture = nullptr;

constexpr UINT kTickMs = 200;
constexpr DWORD kShownBeforePictureMs = 1200;  // the lists fill and paint meanwhile

BOOL CALLBACK TakeDialog(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (IsWindowVisible(window) && std::wstring_view(name) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The first visible dialog window of this thread.
HWND FindDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);

}  // namespace

DialogCapture::DialogCapture(std::filesystem::path png, unsigned timeoutMs)
    : png_(std::move(png)), timeoutMs_(timeoutMs), startTick_(GetTickCount()) {
    g_capture = this;
    timer_ = SetTimer(nullptr, 0, kTickMs, OnTimer);
}

DialogCapture::~DialogCapture() {
    Stop();
    g_capture = nullptr;
}

void DialogCapture::Stop() {
    if (timer_ != 0) KillTimer(nullptr, timer_);
    timer_ = 0;
}

void DialogCapture::Tick() {
    DialogCapture* self = g_capture;
    if (self == nullptr || self->timer_ == 0) return;
    const DWORD now = GetTickCount();
    HWND dialog = FindDialog();
    if (dialog == nullptr) {
        if (!self->gaveUp_ && now - self->startTick_ > self->timeoutMs_) {
            self->gaveUp_ = true;
            std::fprintf(stderr,
                         "kora4_demo: no dialog within %u s, so no screenshot; it is cancelled "
                         "once it shows\n",
                         self->timeoutMs_ / 1000);
        }
        return;
    }
    if (self->gaveUp_) {
        // Late: closed at once, so that no one has to be at the screen.
        self->Stop();
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    if (self->shownTick_ == 0) self->shownTick_ = now;
    if (now - self->shownTick_ < kShownBeforePictureMs) return;
    self->Stop();
    SetForegroundWindow(dialog);
    self->saved_ = testhost::SaveScreenshot(dialog, self->png_.parent_path().wstring(),
                                            self->png_.stem().wstring());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

namespace {

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) { DialogCapture::Tick(); }

}  // namespace

}  // namespace kora::demo
