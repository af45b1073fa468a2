#pragma once

// Plain rectangle arithmetic, kept apart from the window code so that the
// rules can be checked without a screen.

struct Point {
    int x;
    int y;
};

struct Bounds {
    int left;
    int top;
    int right;
    int bottom;
};

// Where a window of the given size goes when centred in the area: each
// half is a signed division truncating toward zero; a window that would
// leave the area is put against its left (top) edge, or else its right
// (bottom) edge.
Point CentreInArea(const Bounds& area, int width, int height);

// Where an icon of the given size is drawn to sit in the middle of a
// client area: (width - iconWidth + 1) / 2, likewise for the height, in
// signed division truncating toward zero (so -7 / 2 is -3).
Point IconOrigin(int clientWidth, int clientHeight, int iconWidth, int iconHeight);
