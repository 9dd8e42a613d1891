#include "Icons.h"

#include <array>
#include <vector>

namespace diglux::glyphgen {
namespace {

// The drawings use a 23 x 25 glyph; x = 11.5 is the middle.
Shape Bell() {
    const Shape knob = Circle({11.5, 3.7}, 1.6);
    const Shape dome = Circle({11.5, 9.8}, 5.4);
    const Shape skirt = ConvexPolygon({{6.1, 9.8}, {16.9, 9.8}, {18.6, 16.8}, {4.4, 16.8}});
    const Shape rim = RoundedBox({11.5, 17.6}, {8.6, 1.5}, 1.2);
    const Shape clapper = Circle({11.5, 21.4}, 2.0);
    return Union(Union(Union(knob, dome), Union(skirt, rim)), clapper);
}

// Two beamed eighth notes.
Shape Note() {
    const Shape head1 = Ellipse({7.2, 19.2}, 3.4, 2.4, -0.4);
    const Shape head2 = Ellipse({16.6, 17.2}, 3.4, 2.4, -0.4);
    const Shape stem1 = ConvexPolygon({{9.3, 6.3}, {10.8, 6.0}, {10.8, 18.8}, {9.3, 18.8}});
    const Shape stem2 = ConvexPolygon({{18.7, 4.3}, {20.2, 4.0}, {20.2, 16.8}, {18.7, 16.8}});
    const Shape beam = ConvexPolygon({{9.3, 5.6}, {20.2, 3.2}, {20.2, 6.7}, {9.3, 9.1}});
    return Union(Union(Union(head1, head2), Union(stem1, stem2)), beam);
}

Shape Loudspeaker() {
    const Shape magnet = RoundedBox({4.9, 12.5}, {2.4, 3.6}, 0.6);
    const Shape cone = ConvexPolygon({{7.6, 8.9}, {13.2, 3.6}, {13.2, 21.4}, {7.6, 16.1}});
    const Shape wave1 = Arc({13.2, 12.5}, 4.3, 1.7, -0.85, 0.85);
    const Shape wave2 = Arc({13.2, 12.5}, 7.6, 1.7, -0.8, 0.8);
    return Union(Union(magnet, cone), Union(wave1, wave2));
}

struct Rgbf {
    double r, g, b;
};

Rgbf Mix(Rgbf a, Rgbf b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

struct ButtonState {
    Rgbf top;
    Rgbf bottom;
    double crossShift; // the pressed button's X moves down a pixel
};

GreyCanvas Coverage(const Shape& shape, int width, int height) {
    GreyCanvas cover(width, height);
    RenderShape(shape, 8, cover);
    return cover;
}

// One 37 x 15 state of the close button, drawn into rows top..top+14 of the image.
void PaintButton(RgbImage& image, int top, const ButtonState& state) {
    constexpr int kWidth = 37;
    constexpr int kHeight = 15;
    constexpr Rgbf kBack{4, 2, 4};
    constexpr Rgbf kRim{70, 8, 6};
    const GreyCanvas bar = Coverage(RoundedBox({18.5, 7.5}, {18.5, 7.5}, 2.5), kWidth, kHeight);
    const GreyCanvas face = Coverage(RoundedBox({18.5, 7.5}, {17.5, 6.5}, 1.8), kWidth, kHeight);
    const double s = state.crossShift;
    const Shape cross = Union(Capsule({14.8, 3.8 + s}, {22.2, 11.2 + s}, 2.1),
                              Capsule({22.2, 3.8 + s}, {14.8, 11.2 + s}, 2.1));
    const GreyCanvas shadow = Coverage(Translated(cross, {0.0, 1.0}), kWidth, kHeight);
    const GreyCanvas white = Coverage(cross, kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        const double t = y / (kHeight - 1.0);
        // A brighter upper half, like light falling on a rounded bar.
        const double gloss = y < kHeight / 2 ? 0.12 * (1.0 - t * 2) : 0.0;
        Rgbf fill = Mix(state.top, state.bottom, t);
        fill = Mix(fill, {255, 255, 255}, gloss);
        for (int x = 0; x < kWidth; ++x) {
            Rgbf c = Mix(kBack, kRim, bar.At(x, y));
            c = Mix(c, fill, face.At(x, y));
            c = Mix(c, Mix(state.bottom, {0, 0, 0}, 0.45), shadow.At(x, y) * 0.8);
            c = Mix(c, {255, 255, 255}, white.At(x, y));
            image.Set(x, top + y,
                      {static_cast<std::uint8_t>(c.r + 0.5), static_cast<std::uint8_t>(c.g + 0.5),
                       static_cast<std::uint8_t>(c.b + 0.5)});
        }
    }
}

} // namespace

void FillIconMap(MapCanvas& map, const LedLook& look) {
    // Drawn a little smaller than the glyph, so that the glow fades out inside it.
    const Vec2 middle{11.5, 12.5};
    const std::array<Shape, 3> icons = {Scaled(Bell(), middle, 0.88), Scaled(Note(), middle, 0.88),
                                        Scaled(Loudspeaker(), middle, 0.88)};
    for (std::size_t i = 0; i < icons.size(); ++i) {
        for (const bool lit : {false, true}) {
            map.SetCell(static_cast<int>(i * 2) + (lit ? 2 : 1),
                        PaintLed(map.GlyphWidth(), map.GlyphHeight(), {{icons[i], lit}}, look));
        }
    }
}

RgbImage BuildCloseButton() {
    const ButtonState resting{{190, 58, 46}, {140, 24, 18}, 0.0};
    const ButtonState highlighted{{236, 92, 72}, {196, 38, 28}, 0.0};
    const ButtonState pressed{{112, 18, 14}, {158, 36, 26}, 1.0};
    RgbImage image(37, 60);
    PaintButton(image, 0, resting);
    PaintButton(image, 15, resting);
    PaintButton(image, 30, highlighted);
    PaintButton(image, 45, pressed);
    return image;
}

} // namespace diglux::glyphgen
