// The letter-scene viewer as main leaves it before its first frame: initGL
// in a 1024 x 768 test window, the patterns made, and the RAW read buffer
// cleared. The scene and texture tests start from it.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "okel/scene.h"
#include "okel/textures.h"
#include "tests/support/glWindow.h"

class StartedScene : public ::testing::Test {
protected:
    void SetUp() override
    {
        openTestWindow(1024, 768);
        initGL();
        makePatterns();
        std::memset(rawBuffer, 0, sizeof rawBuffer);
    }
};
