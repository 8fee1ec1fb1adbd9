// A set-up step of support/machine.cpp that fails is a failure of the running test.
#include <gtest/gtest.h>

#include "support/machine.h"

namespace {

void FailTheRunningTest(const std::string& what)
{
    ADD_FAILURE() << "set-up failed: " << what;
}

// Linked into every test program as an object of its own (test_support is an object
// library), so the handler is always set before main.
struct FailureHandler {
    FailureHandler() { SetSetupFailureHandler(FailTheRunningTest); }
} g_failureHandler;

}  // namespace
