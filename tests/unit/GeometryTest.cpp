#include "core/Geometry.h"

#include <gtest/gtest.h>

TEST(CentreInArea, CentresWithTruncatingHalvesAndKeepsTheWindowInTheArea)
{
    const struct {
        const char* what;
        Bounds area;
        int width, height;
        Point expected;
    } cases[] = {
        {"even size", {0, 0, 1024, 738}, 390, 290, {317, 224}},
        {"odd size", {0, 0, 1024, 738}, 391, 291, {317, 224}},
        // A task bar on the left and at the top.
        {"area not at zero", {100, 30, 1124, 768}, 390, 290, {100 + 317, 30 + 224}},
        {"larger than the area", {0, 0, 640, 480}, 800, 600, {0, 0}},
        {"larger, area not at zero", {-50, 10, 590, 490}, 800, 600, {-50, 10}},
        // (-1024 + -1) / 2 is -512, not -513; 101 / 2 is 50.
        {"left of the origin", {-1024, 0, -1, 100}, 101, 100, {-562, 0}},
        // The centre -512 less 511 leaves the window one pixel past the
        // right and bottom edges, so it lies against them.
        {"past the right and bottom edges", {-1024, -1024, -1, -1}, 1023, 1023, {-1024, -1024}},
    };
    for (const auto& c : cases) {
        const Point placed = CentreInArea(c.area, c.width, c.height);
        EXPECT_EQ(c.expected.x, placed.x) << c.what;
        EXPECT_EQ(c.expected.y, placed.y) << c.what;
    }
}

TEST(IconOrigin, CentresTheIconWithTruncatingHalves)
{
    const struct {
        int width, height;
        Point expected;
    } cases[] = {{160, 24, {64, -3}}, {32, 32, {0, 0}}, {33, 34, {1, 1}}, {25, 25, {-3, -3}}};
    for (const auto& c : cases) {
        const Point origin = IconOrigin(c.width, c.height, 32, 32);
        EXPECT_EQ(c.expected.x, origin.x) << c.width << " by " << c.height;
        EXPECT_EQ(c.expected.y, origin.y) << c.width << " by " << c.height;
    }
}
