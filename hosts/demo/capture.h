// Windows only: waits for the dialog that this process shows, saves a
// picture of it (frame included) as a 32-bit bitmap file, and closes it
// with Cancel, so the demo can run where no one is at the screen.
#pragma once

#include <atomic>
#include <filesystem>

namespace kora::demo {

class DialogCapture {
public:
    // Watches the windows of thread `uiThread` (a Win32 thread id) from a
    // thread of its own until a dialog shows up or `timeoutMs` pass.
    DialogCapture(unsigned long uiThread, std::filesystem::path bitmap, int timeoutMs = 30000);
    ~DialogCapture();
    DialogCapture(const DialogCapture&) = delete;
    DialogCapture& operator=(const DialogCapture&) = delete;

    // After the export returned: whether the picture was saved. Stops the
    // watch when no dialog came up.
    bool Saved();

    // The watching thread's work.
    void Watch();

private:
    void Join();

    unsigned long uiThread_;
    std::filesystem::path bitmap_;
    int timeoutMs_;
    bool saved_ = false;
    std::atomic<bool> stop_ = false;
    void* thread_ = nullptr;  // the watching thread's handle; the toolchain has no std::thread
};

}  // namespace kora::demo
