#pragma once

#include "TestApplication.h"

#include <gtest/gtest.h>

namespace kf::test {

// A fixture whose widgets may be plain members: the application exists before they do.
class ApplicationTest : public ::testing::Test {
protected:
    ApplicationTest() { ensureApplication(); }
};

} // namespace kf::test
