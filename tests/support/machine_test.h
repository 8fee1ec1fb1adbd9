// A test that starts on a cleared machine (support/machine.h) and clears it at its end.
#pragma once

#include <gtest/gtest.h>

#include "support/machine.h"

class MachineTest : public ::testing::Test {
protected:
    void SetUp() override { ClearMachine(); }
    void TearDown() override { ClearMachine(); }
};
