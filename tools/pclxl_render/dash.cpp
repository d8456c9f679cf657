#include "dash.h"

#include <cmath>

namespace pclxl_render {
namespace {

// More dashes than any page shows in one subpath; the rest of a longer line is left out
// rather than cut into millions of pieces by a hostile pattern.
constexpr std::size_t kMaxDashes = 100'000;

Point Along(Point p, Point q, double t) {
    return {p.x + (q.x - p.x) * t, p.y + (q.y - p.y) * t};
}

void Extend(Subpath& dash, Point p, bool smooth) {
    dash.points.push_back(p);
    dash.smooth.push_back(smooth);
}

}  // namespace

std::vector<Subpath> Dashes(const Subpath& line, const std::vector<double>& pattern,
                            double offset) {
    std::vector<double> lengths = pattern;
    if (lengths.size() % 2 != 0) {
        // An odd pattern repeats with on and off swapped, as two periods of it.
        lengths.insert(lengths.end(), pattern.begin(), pattern.end());
    }
    double period = 0;
    for (double length : lengths) {
        period += length;
    }
    std::vector<Subpath> dashes;
    const std::vector<Point>& points = line.points;
    if (points.size() < 2 || !(period > 0) || !std::isfinite(period)) {
        return dashes;
    }
    // Where in the pattern the line starts.
    double into = std::fmod(offset, period);
    into = !std::isfinite(into) ? 0 : into < 0 ? into + period : into;
    std::size_t index = 0;
    for (std::size_t k = 0; k < lengths.size() && into >= lengths[index]; ++k) {
        into -= lengths[index];
        index = (index + 1) % lengths.size();
    }
    double left = lengths[index] - into;  // of the current dash or gap
    const auto on = [&] { return index % 2 == 0; };
    if (on()) {
        dashes.emplace_back();
        Extend(dashes.back(), points[0], false);
    }
    const std::size_t segments = line.closed ? points.size() : points.size() - 1;
    for (std::size_t i = 0; i < segments && dashes.size() < kMaxDashes; ++i) {
        const std::size_t next = (i + 1) % points.size();
        const Point p = points[i], q = points[next];
        const double length = std::hypot(q.x - p.x, q.y - p.y);
        double done = 0;
        while (length - done > left && dashes.size() < kMaxDashes) {
            done += left;
            const Point cut = Along(p, q, done / length);
            if (!on()) {
                dashes.emplace_back();
            }
            Extend(dashes.back(), cut, false);
            index = (index + 1) % lengths.size();
            left = lengths[index];
        }
        left -= length - done;
        if (on()) {
            Extend(dashes.back(), q, next != 0 && line.smooth[next]);
        }
    }
    std::erase_if(dashes, [](const Subpath& dash) { return dash.points.size() < 2; });
    return dashes;
}

}  // namespace pclxl_render
