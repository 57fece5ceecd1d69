// The scripted user for Google Test: failures of the script become test
// failures. Include from tests only.
#pragma once

#include <gtest/gtest.h>

#include "ui/headless/scripted_user.h"

namespace kora::ui::headless {

class TestUser : public ScriptedUser {
public:
    TestUser() : ScriptedUser([](const std::string& failure) { ADD_FAILURE() << failure; }) {}
};

}  // namespace kora::ui::headless
