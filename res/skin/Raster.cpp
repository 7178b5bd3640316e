// Signed-distance shapes, paints and the premultiplied canvas behind the skin pictures.
#include "res/skin/Raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace skin {
namespace {

float Clamp01(float v)
{
    return std::min(1.0f, std::max(0.0f, v));
}

float SegmentDistance(float px, float py, Point a, Point b)
{
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float lengthSquared = dx * dx + dy * dy;
    float t = 0;
    if (lengthSquared > 0) {
        t = Clamp01(((px - a.x) * dx + (py - a.y) * dy) / lengthSquared);
    }
    return std::hypot(px - (a.x + t * dx), py - (a.y + t * dy));
}

Box BoundsOf(const std::vector<Point>& points, float margin)
{
    Box box{points.front().x, points.front().y, points.front().x, points.front().y};
    for (const Point& p : points) {
        box.x0 = std::min(box.x0, p.x);
        box.y0 = std::min(box.y0, p.y);
        box.x1 = std::max(box.x1, p.x);
        box.y1 = std::max(box.y1, p.y);
    }
    return Box{box.x0 - margin, box.y0 - margin, box.x1 + margin, box.y1 + margin};
}

Box Grow(Box b, float amount)
{
    return Box{b.x0 - amount, b.y0 - amount, b.x1 + amount, b.y1 + amount};
}

Box Join(Box a, Box b)
{
    return Box{std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

// Calls visit(x, y, distance) for every pixel of the canvas inside the shape's bounds.
template <class Visit> void ForEachPixel(const Canvas& canvas, const Shape& shape, float margin, Visit visit)
{
    const int x0 = std::max(0, static_cast<int>(std::floor(shape.bounds.x0 - margin)) - 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(shape.bounds.y0 - margin)) - 1);
    const int x1 = std::min(canvas.Width(), static_cast<int>(std::ceil(shape.bounds.x1 + margin)) + 1);
    const int y1 = std::min(canvas.Height(), static_cast<int>(std::ceil(shape.bounds.y1 + margin)) + 1);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            visit(x, y, shape.distance(x + 0.5f, y + 0.5f));
        }
    }
}

} // namespace

Color Rgb(int r, int g, int b, float alpha)
{
    return Color{r / 255.0f, g / 255.0f, b / 255.0f, alpha};
}

Color Mix(Color from, Color to, float t)
{
    t = Clamp01(t);
    return Color{from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
                 from.a + (to.a - from.a) * t};
}

Color WithAlpha(Color c, float alpha)
{
    c.a = alpha;
    return c;
}

Color Lighten(Color c, float amount)
{
    const Color target = amount >= 0 ? Color{1, 1, 1, c.a} : Color{0, 0, 0, c.a};
    return Mix(c, target, std::fabs(amount));
}

Shape Circle(float cx, float cy, float radius)
{
    return Shape{[=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; },
                 Box{cx - radius, cy - radius, cx + radius, cy + radius}};
}

Shape Ellipse(float cx, float cy, float rx, float ry)
{
    const float scale = std::min(rx, ry);
    return Shape{[=](float x, float y) { return (std::hypot((x - cx) / rx, (y - cy) / ry) - 1.0f) * scale; },
                 Box{cx - rx, cy - ry, cx + rx, cy + ry}};
}

Shape RoundRect(float x0, float y0, float x1, float y1, float radius)
{
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const float hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
    const float r = std::min(radius, std::min(hx, hy));
    return Shape{[=](float x, float y) {
                     const float qx = std::fabs(x - cx) - hx + r;
                     const float qy = std::fabs(y - cy) - hy + r;
                     const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
                     return outside + std::min(std::max(qx, qy), 0.0f) - r;
                 },
                 Box{x0, y0, x1, y1}};
}

Shape Line(Point a, Point b, float width)
{
    const float half = width / 2;
    return Shape{[=](float x, float y) { return SegmentDistance(x, y, a, b) - half; }, BoundsOf({a, b}, half)};
}

Shape Polygon(std::vector<Point> points)
{
    const Box bounds = BoundsOf(points, 0);
    return Shape{[pts = std::move(points)](float x, float y) {
                     float best = 1e9f;
                     bool inside = false;
                     for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
                         best = std::min(best, SegmentDistance(x, y, pts[j], pts[i]));
                         const Point& a = pts[i];
                         const Point& b = pts[j];
                         if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
                             inside = !inside;
                         }
                     }
                     return inside ? -best : best;
                 },
                 bounds};
}

Shape Polyline(std::vector<Point> points, float width)
{
    const float half = width / 2;
    const Box bounds = BoundsOf(points, half);
    return Shape{[pts = std::move(points), half](float x, float y) {
                     float best = 1e9f;
                     for (size_t i = 1; i < pts.size(); ++i) {
                         best = std::min(best, SegmentDistance(x, y, pts[i - 1], pts[i]));
                     }
                     return best - half;
                 },
                 bounds};
}

Shape Outline(Shape s, float width)
{
    const float half = width / 2;
    const Box bounds = Grow(s.bounds, half);
    return Shape{[d = std::move(s.distance), half](float x, float y) { return std::fabs(d(x, y)) - half; }, bounds};
}

Shape Union(Shape a, Shape b)
{
    const Box bounds = Join(a.bounds, b.bounds);
    return Shape{[da = std::move(a.distance), db = std::move(b.distance)](float x, float y) {
                     return std::min(da(x, y), db(x, y));
                 },
                 bounds};
}

Shape Intersect(Shape a, Shape b)
{
    const Box bounds{std::max(a.bounds.x0, b.bounds.x0), std::max(a.bounds.y0, b.bounds.y0),
                     std::min(a.bounds.x1, b.bounds.x1), std::min(a.bounds.y1, b.bounds.y1)};
    return Shape{[da = std::move(a.distance), db = std::move(b.distance)](float x, float y) {
                     return std::max(da(x, y), db(x, y));
                 },
                 bounds};
}

Shape Subtract(Shape a, Shape b)
{
    const Box bounds = a.bounds;
    return Shape{[da = std::move(a.distance), db = std::move(b.distance)](float x, float y) {
                     return std::max(da(x, y), -db(x, y));
                 },
                 bounds};
}

Shape Offset(Shape s, float amount)
{
    const Box bounds = Grow(s.bounds, std::max(0.0f, amount));
    return Shape{[d = std::move(s.distance), amount](float x, float y) { return d(x, y) - amount; }, bounds};
}

Shape Translate(Shape s, float dx, float dy)
{
    const Box bounds{s.bounds.x0 + dx, s.bounds.y0 + dy, s.bounds.x1 + dx, s.bounds.y1 + dy};
    return Shape{[d = std::move(s.distance), dx, dy](float x, float y) { return d(x - dx, y - dy); }, bounds};
}

PaintFn Solid(Color c)
{
    return [c](float, float) { return c; };
}

PaintFn LinearGradient(Point from, Point to, Color c0, Color c1)
{
    return LinearStops(from, to, {c0, c1});
}

PaintFn LinearStops(Point from, Point to, std::vector<Color> stops)
{
    const float dx = to.x - from.x, dy = to.y - from.y;
    const float lengthSquared = std::max(1e-6f, dx * dx + dy * dy);
    return [=, stops = std::move(stops)](float x, float y) {
        const float t = Clamp01(((x - from.x) * dx + (y - from.y) * dy) / lengthSquared);
        if (stops.size() < 2) {
            return stops.empty() ? Color{} : stops.front();
        }
        const float scaled = t * static_cast<float>(stops.size() - 1);
        const size_t index = std::min(stops.size() - 2, static_cast<size_t>(scaled));
        return Mix(stops[index], stops[index + 1], scaled - static_cast<float>(index));
    };
}

PaintFn RadialGradient(Point centre, float radius, Color inner, Color outer)
{
    return [=](float x, float y) { return Mix(inner, outer, std::hypot(x - centre.x, y - centre.y) / radius); };
}

Canvas::Canvas(int width, int height)
    : m_width(std::max(0, width)), m_height(std::max(0, height)),
      m_rgba(static_cast<size_t>(m_width) * static_cast<size_t>(m_height) * 4, 0.0f),
      m_seeThrough(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), 0)
{
}

Color Canvas::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return Color{0, 0, 0, 0};
    }
    const float* p = &m_rgba[(static_cast<size_t>(y) * m_width + x) * 4];
    if (p[3] <= 0) {
        return Color{0, 0, 0, 0};
    }
    return Color{p[0] / p[3], p[1] / p[3], p[2] / p[3], p[3]};
}

void Canvas::Blend(int x, int y, Color c, float coverage)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return;
    }
    const float a = Clamp01(c.a * coverage);
    if (a <= 0) {
        return;
    }
    float* p = &m_rgba[(static_cast<size_t>(y) * m_width + x) * 4];
    const float keep = 1.0f - a;
    p[0] = Clamp01(c.r) * a + p[0] * keep;
    p[1] = Clamp01(c.g) * a + p[1] * keep;
    p[2] = Clamp01(c.b) * a + p[2] * keep;
    p[3] = a + p[3] * keep;
}

void Canvas::Set(int x, int y, Color c)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return;
    }
    float* p = &m_rgba[(static_cast<size_t>(y) * m_width + x) * 4];
    const float a = Clamp01(c.a);
    p[0] = Clamp01(c.r) * a;
    p[1] = Clamp01(c.g) * a;
    p[2] = Clamp01(c.b) * a;
    p[3] = a;
}

void Canvas::SetSeeThrough(int x, int y, bool seeThrough)
{
    if (x >= 0 && y >= 0 && x < m_width && y < m_height) {
        m_seeThrough[static_cast<size_t>(y) * m_width + x] = seeThrough ? 1 : 0;
    }
}

bool Canvas::IsSeeThrough(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return false;
    }
    return m_seeThrough[static_cast<size_t>(y) * m_width + x] != 0;
}

void Canvas::Clear(Color c)
{
    c.a = 1;
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            Set(x, y, c);
        }
    }
    std::fill(m_seeThrough.begin(), m_seeThrough.end(), 0);
}

void Canvas::Copy(const Canvas& src, int dx, int dy)
{
    for (int y = 0; y < src.Height(); ++y) {
        for (int x = 0; x < src.Width(); ++x) {
            Set(x + dx, y + dy, src.Pixel(x, y));
            SetSeeThrough(x + dx, y + dy, src.IsSeeThrough(x, y));
        }
    }
}

Canvas Canvas::Crop(int x, int y, int width, int height) const
{
    Canvas part(width, height);
    part.Copy(*this, -x, -y);
    return part;
}

void Fill(Canvas& canvas, const Shape& shape, const PaintFn& paint, float opacity)
{
    ForEachPixel(canvas, shape, 0, [&](int x, int y, float d) {
        const float coverage = Clamp01(0.5f - d) * opacity;
        if (coverage > 0) {
            canvas.Blend(x, y, paint(x + 0.5f, y + 0.5f), coverage);
        }
    });
}

void Fill(Canvas& canvas, const Shape& shape, Color color, float opacity)
{
    Fill(canvas, shape, Solid(color), opacity);
}

void Glow(Canvas& canvas, const Shape& shape, Color color, float radius, float opacity)
{
    ForEachPixel(canvas, shape, radius, [&](int x, int y, float d) {
        const float fade = d <= 0 ? 1.0f : Clamp01(1.0f - d / radius);
        if (fade > 0) {
            canvas.Blend(x, y, color, fade * fade * opacity);
        }
    });
}

void CutOutside(Canvas& canvas, const Shape& shape)
{
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (shape.distance(x + 0.5f, y + 0.5f) > 0) {
                canvas.SetSeeThrough(x, y, true);
            }
        }
    }
}

} // namespace skin
