// Windows only: once the dialog of this thread has been shown for a moment,
// saves a picture of it as a PNG file and closes it with Cancel, so the demo
// can run where no one is at the screen. Works from a thread timer, which
// runs inside the dialog's modal loop. A dialog that shows later than the
// timeout gets no picture (said on stderr at once) and is cancelled as soon
// as it shows.
#pragma once

#include <cstdint>
#include <filesystem>

namespace kora::demo {

class DialogCapture {
public:
    // Watches until a dialog shows up or `timeoutMs` pass.
    explicit DialogCapture(std::filesystem::path png, unsigned timeoutMs = 30000);
    ~DialogCapture();
    DialogCapture(const DialogCapture&) = delete;
    DialogCapture& operator=(const DialogCapture&) = delete;

    bool Saved() const { return saved_; }

    // One beat of the thread timer.
    static void Tick();

private:
    void Stop();

    std::filesystem::path png_;
    unsigned timeoutMs_;
    unsigned long startTick_;
    unsigned long shownTick_ = 0;
    std::uintptr_t timer_ = 0;
    bool saved_ = false;
    bool gaveUp_ = false;
};

}  // namespace kora::demo
