// A dialog on the seam whose start-up and notification handlers each test
// plugs in; it keeps every private message it got.
#pragma once

#include <functional>
#include <vector>

#include "ui/dialog.h"

namespace kora::ui::test {

class Probe : public Dialog {
public:
    explicit Probe(int templateId, Dialog* owner = nullptr) : Dialog(templateId, owner) {}

    // Routes (id, code) to onEvent.
    Probe& Route(int id, Notification code) {
        map_.push_back(detail::MakeEntry<&Probe::OnEvent>(id, code));
        return *this;
    }

    std::function<bool(Probe&)> onInit;
    std::function<void(Probe&, const NotifyEvent&)> onEvent;
    std::vector<uint32_t> messages;

protected:
    bool OnInitDialog() override { return onInit ? onInit(*this) : true; }
    std::span<const MessageMapEntry> MessageMap() const override { return map_; }
    std::intptr_t OnMessage(uint32_t message, std::uintptr_t, std::intptr_t) override {
        messages.push_back(message);
        return 0;
    }

private:
    void OnEvent(const NotifyEvent& event) {
        if (onEvent) onEvent(*this, event);
    }

    std::vector<MessageMapEntry> map_;
};

}  // namespace kora::ui::test
