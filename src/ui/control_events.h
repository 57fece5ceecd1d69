// Raw input of a control that a control class can intercept before the
// control's own handling, as the list control does with scrolling.
#pragma once

#include <cstdint>

namespace kora::ui {

// Anything that takes a window message synchronously: a dialog, or a test's
// recorder. The sender waits for the result.
class MessageTarget {
public:
    virtual std::intptr_t Send(uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;

protected:
    ~MessageTarget() = default;
};

// The control's own handling of the input being intercepted (the window
// procedure it would have reached), run at most once.
class DefaultProcessing {
public:
    virtual std::intptr_t operator()() = 0;

protected:
    ~DefaultProcessing() = default;
};

class ControlEvents {
public:
    virtual std::intptr_t OnVScroll(DefaultProcessing& base) { return base(); }
    virtual std::intptr_t OnHScroll(DefaultProcessing& base) { return base(); }
    virtual std::intptr_t OnMouseWheel(DefaultProcessing& base) { return base(); }

protected:
    ~ControlEvents() = default;
};

}  // namespace kora::ui
