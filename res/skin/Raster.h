// Small anti-aliased raster library for drawing the skin pictures: a canvas with premultiplied colour,
// shapes described by signed distance functions (negative inside, in pixels), paints (solid colour,
// linear and radial gradients) and fills that take their anti-aliasing from the distance.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace skin {

struct Color
{
    float r = 0, g = 0, b = 0, a = 1; // straight (not premultiplied), 0..1
};

// A colour from 8-bit channels.
Color Rgb(int r, int g, int b, float alpha = 1.0f);
// Linear interpolation between two colours, t clamped to 0..1.
Color Mix(Color from, Color to, float t);
Color WithAlpha(Color c, float alpha);
// Moves a colour towards white (amount > 0) or black (amount < 0).
Color Lighten(Color c, float amount);

struct Point
{
    float x = 0, y = 0;
};

struct Box
{
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

using DistanceFn = std::function<float(float x, float y)>;

// A shape: its signed distance and a box outside of which it surely has no coverage.
struct Shape
{
    DistanceFn distance;
    Box bounds;
};

Shape Circle(float cx, float cy, float radius);
Shape Ellipse(float cx, float cy, float rx, float ry);
Shape RoundRect(float x0, float y0, float x1, float y1, float radius);
// A line with round caps, `width` pixels thick.
Shape Line(Point a, Point b, float width);
// A closed polygon (even-odd inside rule).
Shape Polygon(std::vector<Point> points);
// Open polyline with round joins and caps.
Shape Polyline(std::vector<Point> points, float width);
// The band of `width` pixels centred on the outline of a shape.
Shape Outline(Shape s, float width);
Shape Union(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);
// Grows (positive) or shrinks (negative) a shape by `amount` pixels.
Shape Offset(Shape s, float amount);
Shape Translate(Shape s, float dx, float dy);

using PaintFn = std::function<Color(float x, float y)>;

PaintFn Solid(Color c);
PaintFn LinearGradient(Point from, Point to, Color c0, Color c1);
// Gradient with any number of evenly spaced stops.
PaintFn LinearStops(Point from, Point to, std::vector<Color> stops);
PaintFn RadialGradient(Point centre, float radius, Color inner, Color outer);

class Canvas
{
public:
    // A fully transparent canvas.
    Canvas(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Straight colour of a pixel; coordinates outside give transparent black.
    Color Pixel(int x, int y) const;
    // Composites `c` over the pixel with the given coverage (0..1).
    void Blend(int x, int y, Color c, float coverage);
    void Set(int x, int y, Color c);

    // Pixels marked see-through: they are written as magenta whatever their colour.
    void SetSeeThrough(int x, int y, bool seeThrough);
    bool IsSeeThrough(int x, int y) const;

    // Fills the whole canvas opaquely, clearing the see-through marks.
    void Clear(Color c);
    // Copies `src` with its top-left corner at (dx, dy), see-through marks included.
    void Copy(const Canvas& src, int dx, int dy);
    // The part of this canvas at (x, y) of the given size.
    Canvas Crop(int x, int y, int width, int height) const;

private:
    int m_width;
    int m_height;
    std::vector<float> m_rgba; // premultiplied
    std::vector<uint8_t> m_seeThrough;
};

// Fills a shape with a paint, anti-aliased over one pixel, scaled by opacity.
void Fill(Canvas& canvas, const Shape& shape, const PaintFn& paint, float opacity = 1.0f);
void Fill(Canvas& canvas, const Shape& shape, Color color, float opacity = 1.0f);
// A soft halo around (and inside) a shape fading out over `radius` pixels: glows and shadows.
void Glow(Canvas& canvas, const Shape& shape, Color color, float radius, float opacity = 1.0f);
// Marks every pixel whose centre lies outside the shape as see-through.
void CutOutside(Canvas& canvas, const Shape& shape);

} // namespace skin
