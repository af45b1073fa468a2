#include "core/Geometry.h"

#include <gtest/gtest.h>

namespace {

void ExpectPoint(int x, int y, const Point& point)
{
    EXPECT_EQ(x, point.x);
    EXPECT_EQ(y, point.y);
}

}  // namespace

TEST(CentreInArea, CentresWithTruncatingHalves)
{
    ExpectPoint(317, 224, CentreInArea(Bounds{0, 0, 1024, 738}, 390, 290));
    ExpectPoint(317, 224, CentreInArea(Bounds{0, 0, 1024, 738}, 391, 291));
}

TEST(CentreInArea, CentresInAnAreaThatDoesNotStartAtZero)
{
    // A task bar on the left and at the top.
    ExpectPoint(100 + 317, 30 + 224, CentreInArea(Bounds{100, 30, 1124, 768}, 390, 290));
}

TEST(CentreInArea, PutsAWindowLargerThanTheAreaOnItsLeftAndTopEdges)
{
    ExpectPoint(0, 0, CentreInArea(Bounds{0, 0, 640, 480}, 800, 600));
    ExpectPoint(-50, 10, CentreInArea(Bounds{-50, 10, 590, 490}, 800, 600));
}

TEST(CentreInArea, DividesTowardZeroLeftOfTheOrigin)
{
    // (-1024 + -1) / 2 is -512, not -513; 101 / 2 is 50.
    ExpectPoint(-562, 0, CentreInArea(Bounds{-1024, 0, -1, 100}, 101, 100));
}

TEST(IconOrigin, CentresTheIconWithTruncatingHalves)
{
    ExpectPoint(64, -3, IconOrigin(160, 24, 32, 32));
    ExpectPoint(0, 0, IconOrigin(32, 32, 32, 32));
    ExpectPoint(1, 1, IconOrigin(33, 34, 32, 32));
    ExpectPoint(-3, -3, IconOrigin(25, 25, 32, 32));
}
