// The pixel probe every test uses, on pictures read back from a window.
#include "tests/support/picture.h"

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>

namespace {

bool near(Rgb a, Rgb b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

bool inside(const Screenshot& picture, int x, int y)
{
    return x >= 0 && y >= 0 && x < picture.width && y < picture.height;
}

} // namespace

::testing::AssertionResult probe(const Screenshot& picture, int x, int y, Rgb expected, int tolerance)
{
    if (!inside(picture, x, y))
        return ::testing::AssertionFailure() << "probe at (" << x << ", " << y << ") lies outside the " << picture.width
                                             << " x " << picture.height << " picture";
    const Rgb observed = picture.at(x, y);
    if (near(observed, expected, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << "): expected " << expected << ", observed "
                                         << observed;
}

::testing::AssertionResult probeRect(const Screenshot& picture, int x0, int y0, int x1, int y1, Rgb expected,
                                     int tolerance)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            ::testing::AssertionResult result = probe(picture, x, y, expected, tolerance);
            if (!result)
                return result << " (in the rectangle " << x0 << "," << y0 << " .. " << x1 << "," << y1 << ")";
        }
    return ::testing::AssertionSuccess();
}

int countNear(const Screenshot& picture, int x0, int y0, int x1, int y1, Rgb colour, int tolerance)
{
    int count = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (inside(picture, x, y) && near(picture.at(x, y), colour, tolerance))
                ++count;
    return count;
}

int countNear(const Screenshot& picture, const PixelRect& rect, Rgb colour, int tolerance)
{
    return countNear(picture, rect.x0, rect.y0, rect.x1, rect.y1, colour, tolerance);
}

::testing::AssertionResult samePicture(const Screenshot& actual, const Screenshot& expected, PixelRect except,
                                       int tolerance)
{
    if (actual.width != expected.width || actual.height != expected.height)
        return ::testing::AssertionFailure() << "the picture is " << actual.width << " x " << actual.height
                                             << " pixels, not " << expected.width << " x " << expected.height;
    int differing = 0;
    ::testing::AssertionResult first = ::testing::AssertionSuccess();
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x)
            if (!except.holds(x, y) && !near(actual.at(x, y), expected.at(x, y), tolerance) && differing++ == 0)
                first = ::testing::AssertionFailure()
                        << "pixel (" << x << ", " << y << ") is " << actual.at(x, y) << ", not " << expected.at(x, y);
    if (differing == 0)
        return first;
    return first << "; " << differing << " pixels differ";
}

Screenshot partOf(const Screenshot& picture, const PixelRect& rect)
{
    Screenshot part;
    part.width = rect.x1 - rect.x0 + 1;
    part.height = rect.y1 - rect.y0 + 1;
    for (int y = rect.y0; y <= rect.y1; ++y) {
        const auto row = picture.rgb.begin() + (static_cast<std::ptrdiff_t>(y) * picture.width + rect.x0) * 3;
        part.rgb.insert(part.rgb.end(), row, row + part.width * 3);
    }
    return part;
}

bool regionsDiffer(const Screenshot& a, const Screenshot& b, int x0, int y0, int x1, int y1)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (!(a.at(x, y) == b.at(x, y)))
                return true;
    return false;
}

namespace {

// The pictures kept for the running test, written at its end if it failed.
struct FailurePictures : ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo& test) override
    {
        if (test.result()->Failed())
            for (const auto& [name, picture] : kept) {
                std::string file = std::string("okel-") + test.test_suite_name() + "." + test.name() + "-" + name +
                                   "-" + std::to_string(getpid()) + ".png";
                std::replace(file.begin(), file.end(), '/', '_');
                const std::string path = (std::filesystem::temp_directory_path() / file).string();
                if (savePng(picture, path))
                    std::printf("picture of the failure: %s\n", path.c_str());
            }
        kept.clear();
    }

    std::map<std::string, Screenshot> kept;
};

} // namespace

void keepForFailure(const Screenshot& picture, const std::string& name)
{
    static FailurePictures* pictures = [] {
        auto* listener = new FailurePictures;
        ::testing::UnitTest::GetInstance()->listeners().Append(listener); // GoogleTest owns it
        return listener;
    }();
    pictures->kept[name] = picture;
}
