// The GL tests' hook on the programs' buffer swaps, and their check that no
// call raised a GL error.
#include "tests/support/glFrames.h"

#include <unistd.h>

#include <cstdio>

#include "tests/support/glWindow.h"

namespace {

Screenshot swappedFrame;

// Each test ends with no GL error raised by the calls it drove, the frames'
// and the others'. A listener's end-of-test call comes before the result
// printer's (GoogleTest calls them in reverse order), so the failure still
// counts for the test. The first context seen also says which OpenGL
// implementation the process ran on.
class GlErrorCheck : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        EXPECT_TRUE(noGlError("at the end of the test"));
        static bool named = false;
        const GLubyte* renderer = glGetString(GL_RENDERER);
        if (!named && renderer) {
            std::printf("OpenGL renderer: %s\n", reinterpret_cast<const char*>(renderer));
            named = true;
        }
    }

    // Under zink (over lavapipe, Mesa 22.3) the process at times hangs or
    // aborts at its exit, in freeglut's exit handler closing the display,
    // where Mesa tears down its Vulkan device: the driver's fault, after
    // every test has reported. There the process ends with GoogleTest's
    // result and without the exit handlers.
    void OnTestProgramEnd(const ::testing::UnitTest& tests) override
    {
        if (!rendererHas("zink"))
            return;
        std::fflush(stdout);
        std::fflush(stderr);
        _exit(tests.Passed() ? 0 : 1);
    }
};

const bool listening = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new GlErrorCheck);
    return true;
}();

} // namespace

// The real swap, under the name the linker gives it.
extern "C" void __real_glutSwapBuffers();

extern "C" void __wrap_glutSwapBuffers()
{
    EXPECT_TRUE(noGlError("in the frame"));
    swappedFrame = readBackBuffer();
    __real_glutSwapBuffers();
}

Screenshot lastFrame() { return swappedFrame; }

const char* glErrorName(GLenum error)
{
    switch (error) {
    case GL_NO_ERROR: return "GL_NO_ERROR";
    case GL_INVALID_ENUM: return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE: return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION: return "GL_INVALID_OPERATION";
    case GL_STACK_OVERFLOW: return "GL_STACK_OVERFLOW";
    case GL_STACK_UNDERFLOW: return "GL_STACK_UNDERFLOW";
    case GL_OUT_OF_MEMORY: return "GL_OUT_OF_MEMORY";
    default: return "an unknown GL error";
    }
}

::testing::AssertionResult noGlError(const char* where)
{
    const GLenum error = glGetError();
    if (error == GL_NO_ERROR)
        return ::testing::AssertionSuccess();
    // The flags of any further errors are cleared too, so that each is
    // reported once (an implementation keeps at most one flag per kind).
    for (int kind = 0; kind < 8 && glGetError() != GL_NO_ERROR; ++kind) {
    }
    return ::testing::AssertionFailure() << glErrorName(error) << " " << where;
}
