#include "Artwork.h"

#include "Icons.h"
#include "SevenSegment.h"
#include "SixteenSegment.h"

namespace diglux::glyphgen {
namespace {

// A digit of the given upright size, centred in a glyph of glyphWidth x glyphHeight.
DigitGeometry CentredDigit(int glyphWidth, int glyphHeight, double width, double height) {
    DigitGeometry digit;
    digit.origin = {(glyphWidth - width) / 2, (glyphHeight - height) / 2};
    digit.width = width;
    digit.height = height;
    return digit;
}

// Big digits: 60 x 109 upright in a 90 x 125 glyph. The margins leave room for the slant
// (about 10 pixels across the height) and for the wide glow to fade out before the edge.
DigitMapStyle BigDigits(int glyphWidth, int glyphHeight) {
    DigitMapStyle style;
    style.digit = CentredDigit(glyphWidth, glyphHeight, 60, 109);
    style.digit.thickness = 12.5;
    style.digit.inset = 1.5; // a gap of about 2 pixels between segment ends
    style.digit.slant = 0.09;
    style.digit.dotSize = 15;
    style.look.bevel = 4.8;
    style.look.litEdge = 180;
    style.look.glow = {{2.2, 0.34}, {6.0, 0.13}};
    return style;
}

// Small digits: the big ones at a little over half the size, with gaps that stay open
// at this scale.
DigitMapStyle SmallDigits(int glyphWidth, int glyphHeight) {
    DigitMapStyle style;
    style.digit = CentredDigit(glyphWidth, glyphHeight, 31.5, 57);
    style.digit.thickness = 6.8;
    style.digit.inset = 1.15;
    style.digit.slant = 0.09;
    style.digit.dotSize = 8;
    style.look.bevel = 2.6;
    style.look.litEdge = 185;
    style.look.glow = {{1.3, 0.34}, {3.5, 0.13}};
    return style;
}

// Text characters: 10.5 x 17 in a 13 x 19 glyph, so neighbouring characters keep about two
// pixels apart. Strokes under one and a half pixels wide and a slighter slant keep the
// small letters sharp; the unlit segments are dimmer than the digits' so that the many of
// them do not crowd the lit ones.
CharMapStyle TextChars(int glyphWidth, int glyphHeight) {
    CharMapStyle style;
    style.geometry.width = 10.5;
    style.geometry.height = 17;
    style.geometry.origin = {(glyphWidth - style.geometry.width) / 2,
                             (glyphHeight - style.geometry.height) / 2};
    style.geometry.thickness = 1.45;
    style.geometry.inset = 0.25;
    style.geometry.slant = 0.06;
    style.geometry.dotRadius = 1.0;
    style.look.unlitCentre = 21;
    style.look.unlitEdge = 21;
    style.look.litEdge = 235;
    style.look.bevel = 0.6;
    style.look.glow = {{0.9, 0.22}};
    return style;
}

// Icons are solid shapes: a darker rim and a lighter middle make them look moulded.
LedLook IconLook() {
    LedLook look;
    look.unlitCentre = 26;
    look.unlitEdge = 34;
    look.litEdge = 200;
    look.bevel = 1.6;
    look.glow = {{1.0, 0.25}, {2.5, 0.08}};
    return look;
}

NamedImage Finished(const MapCanvas& map) {
    return {map.Name(), ToMapPixels(map.Canvas()), map.Cols(), map.Rows()};
}

} // namespace

std::vector<NamedImage> BuildAllMaps() {
    std::vector<NamedImage> maps;
    MapCanvas big("PicMap7B", 1456, 126, 16, 1);
    FillDigitMap(big, BigDigits(big.GlyphWidth(), big.GlyphHeight()));
    maps.push_back(Finished(big));
    MapCanvas small("PicMap7S", 736, 66, 16, 1);
    FillDigitMap(small, SmallDigits(small.GlyphWidth(), small.GlyphHeight()));
    maps.push_back(Finished(small));
    MapCanvas bigColon("PicMapDotsB", 140, 126, 4, 1);
    FillColonMap(bigColon, BigDigits(bigColon.GlyphWidth(), bigColon.GlyphHeight()));
    maps.push_back(Finished(bigColon));
    MapCanvas smallColon("PicMapDotsS", 96, 66, 4, 1);
    FillColonMap(smallColon, SmallDigits(smallColon.GlyphWidth(), smallColon.GlyphHeight()));
    maps.push_back(Finished(smallColon));
    MapCanvas text("PicMap16S", 224, 120, 16, 6);
    FillCharMap(text, TextChars(text.GlyphWidth(), text.GlyphHeight()));
    maps.push_back(Finished(text));
    MapCanvas icons("PicMapOpt", 144, 26, 6, 1);
    FillIconMap(icons, IconLook());
    maps.push_back(Finished(icons));
    maps.push_back({"PicBut", BuildCloseButton(), 1, 4});
    return maps;
}

} // namespace diglux::glyphgen
