// The one point and rectangle of the window-free arithmetic (controls and host layouts alike).
// Portable: no Windows header. y grows downward; a box's right and bottom edges are
// exclusive, as GDI's Rectangle and Ellipse take them.
#pragma once

struct Point {
    int x;
    int y;
    bool operator==(const Point& other) const { return x == other.x && y == other.y; }
};

struct Box {
    int left;
    int top;
    int right;
    int bottom;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Box& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

// The box of a given size whose upper-left corner is at (x, y).
constexpr Box BoxAt(int x, int y, int width, int height) {
    return Box{x, y, x + width, y + height};
}
