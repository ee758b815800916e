#pragma once
// Every test of a program starts on the design the program starts with, under the "." locale and
// with the program's host, whatever the test before it left. A test that wants the records
// blank resets them itself.

#include <gtest/gtest.h>

#include "DesignHost.h"
#include "NumberText.h"
#include "Variables.h"

namespace test_support {

class FreshDesignEachTest : public ::testing::EmptyTestEventListener {
public:
    explicit FreshDesignEachTest(zorvic::DesignHost* host) : host_(host) {}
    // Called before the fixture is made: its SetUp starts from here.
    void OnTestStart(const ::testing::TestInfo&) override {
        zorvic::ResetDesignState();
        zorvic::SetLocaleDecimalSeparator('.');
        zorvic::ApplyDesignDefaults();
        zorvic::InstallHost(host_);
    }

private:
    zorvic::DesignHost* host_;
};

// After InitGoogleTest; `host` is installed before every test (null: none).
inline void StartEveryTestOnAFreshDesign(zorvic::DesignHost* host = nullptr) {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshDesignEachTest(host));
}

}  // namespace test_support
