#include "dash.h"

#include <cmath>
#include <string>

#include "render_error.h"

namespace pclxl_render {
namespace {

// More dashes than any page shows in one subpath: a pattern that cuts a line into more is
// refused rather than followed into millions of pieces.
constexpr std::size_t kMaxDashes = 1'000'000;

Point Along(Point p, Point q, double t) {
    return {p.x + (q.x - p.x) * t, p.y + (q.y - p.y) * t};
}

void StartDash(std::vector<Subpath>& dashes) {
    if (dashes.size() >= kMaxDashes) {
        throw RenderError("the dash pattern cuts a line into more than " +
                          std::to_string(kMaxDashes) + " dashes");
    }
    dashes.emplace_back();
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
        StartDash(dashes);
        Extend(dashes.back(), points[0], false);
    }
    const std::size_t segments = line.closed ? points.size() : points.size() - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const std::size_t next = (i + 1) % points.size();
        const Point p = points[i], q = points[next];
        const double length = std::hypot(q.x - p.x, q.y - p.y);
        double done = 0;
        while (length - done > left) {
            done += left;
            const Point cut = Along(p, q, done / length);
            if (!on()) {
                StartDash(dashes);
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
