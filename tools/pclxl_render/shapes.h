// The outlines of the protocol's shape operators in user space, as lines and cubic Bézier
// pieces: arcs, chords, pies and whole ellipses on the ellipse inscribed in a bounding box,
// and rectangles with rounded corners.
//
// Arcs run counter-clockwise on the page from the point where the ray from the centre through
// StartPoint meets the ellipse to where the ray through EndPoint does (the whole ellipse when
// the two coincide), or clockwise when asked. A whole ellipse starts at its 180-degree point
// (least x) and runs counter-clockwise. A box given right to left turns the shape half round;
// one given right to left or bottom to top, but not both, runs it the other way round.
// Rounded rectangles run counter-clockwise from the top of the straight part of the left edge.
#pragma once

#include <vector>

#include "affine.h"
#include "attributes.h"

namespace pclxl_render {

struct ShapeSegment {
    bool curve;  // a Bézier through c1 and c2, or a straight line
    Point c1, c2, to;
};

struct Shape {
    Point start;
    std::vector<ShapeSegment> segments;
    bool closed = false;
};

enum class ArcTurn { kClockwise, kCounterClockwise };  // as seen on the page

Shape ArcShape(const Box& box, Point startPoint, Point endPoint, ArcTurn turn);
// The arc closed by the straight line from its end back to its start.
Shape ChordShape(const Box& box, Point startPoint, Point endPoint, ArcTurn turn);
// From the centre to the arc's start, along the arc, and back to the centre.
Shape PieShape(const Box& box, Point startPoint, Point endPoint, ArcTurn turn);
Shape EllipseShape(const Box& box);
// `box` runs left to right and top to bottom; `corner` is the corner ellipse's width and height.
Shape RoundRectangleShape(const Box& box, Point corner);

}  // namespace pclxl_render
