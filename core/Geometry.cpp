#include "core/Geometry.h"

namespace {

int CentreOnAxis(int low, int high, int size)
{
    int start = (low + high) / 2 - size / 2;
    if (start < low)
        start = low;
    else if (start + size > high)
        start = high - size;
    return start;
}

}  // namespace

Point CentreInArea(const Bounds& area, int width, int height)
{
    return Point{CentreOnAxis(area.left, area.right, width),
                 CentreOnAxis(area.top, area.bottom, height)};
}

Point IconOrigin(int clientWidth, int clientHeight, int iconWidth, int iconHeight)
{
    return Point{(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}
