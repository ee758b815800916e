#pragma once
// A test whose engine speaks to a host of the test's own; like every test, it starts from the
// design the program starts with.

#include <gtest/gtest.h>

#include "DesignHost.h"

template <class Host>
class DefaultDesignTest : public ::testing::Test {
protected:
    Host host;

    void SetUp() override { zorvic::InstallHost(&host); }
    void TearDown() override { zorvic::InstallHost(nullptr); }
};
