#pragma once
// A test that starts from the design the program starts with, the engine speaking to a host of
// the test's own.

#include <gtest/gtest.h>

#include "DesignHost.h"
#include "NumberText.h"
#include "Variables.h"

template <class Host>
class DefaultDesignTest : public ::testing::Test {
protected:
    Host host;

    void SetUp() override {
        zorvic::ResetDesignState();
        zorvic::SetLocaleDecimalSeparator('.');
        zorvic::ApplyDesignDefaults();
        zorvic::InstallHost(&host);
    }
    void TearDown() override { zorvic::InstallHost(nullptr); }
};
