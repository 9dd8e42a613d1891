// The text font: which segments and marks each character lights. Capitals use the full
// height; lower-case letters sit mostly below the middle bar, with ascenders reaching up,
// so that every character of 33..126 has its own pattern.
#include "SixteenSegment.h"

#include <array>

namespace diglux::glyphgen {
namespace {

constexpr std::array<std::string_view, 96> kRecipes = {
    "",                          // 32 space: only the unlit segments
    "I dot",                     // 33 !
    "F B",                       // 34 "
    "A1 F G1 I",                 // 35: a degree sign in place of the number sign
    "A1 A2 F G1 G2 C D1 D2 I L", // 36 $
    "A1 F J K C D2",             // 37 %
    "A1 H I G1 E D1 D2 M",       // 38 &
    "I",                         // 39 '
    "A2 I L D2",                 // 40 (
    "A1 I L D1",                 // 41 )
    "G1 G2 H I J K L M",         // 42 *
    "G1 G2 I L",                 // 43 +
    "comma",                     // 44 ,
    "G1 G2",                     // 45 -
    "dot",                       // 46 .
    "J K",                       // 47 /
    "A1 A2 B C D1 D2 E F J K",   // 48 0, slashed to tell it from O
    "B C J",                     // 49 1
    "A1 A2 B G1 G2 E D1 D2",     // 50 2
    "A1 A2 B C D1 D2 G2",        // 51 3
    "F G1 G2 B C",               // 52 4
    "A1 A2 F G1 M D1 D2",        // 53 5, with a diagonal to tell it from S
    "A1 A2 F E D1 D2 C G1 G2",   // 54 6
    "A1 A2 B C",                 // 55 7
    "A1 A2 B C D1 D2 E F G1 G2", // 56 8
    "A1 A2 B C D1 D2 F G1 G2",   // 57 9
    "hidot lodot",               // 58 :
    "hidot comma",               // 59 ;
    "J M",                       // 60 <
    "G1 G2 D1 D2",               // 61 =
    "H K",                       // 62 >
    "A1 A2 B G2 L",              // 63 ?
    "A1 A2 B F E D1 D2 G2 L",    // 64 @
    "A1 A2 B C E F G1 G2",       // 65 A
    "A1 A2 B C D1 D2 G2 I L",    // 66 B
    "A1 A2 F E D1 D2",           // 67 C
    "A1 A2 B C D1 D2 I L",       // 68 D
    "A1 A2 F E D1 D2 G1",        // 69 E
    "A1 A2 F E G1",              // 70 F
    "A1 A2 F E D1 D2 C G2",      // 71 G
    "F E B C G1 G2",             // 72 H
    "A1 A2 I L D1 D2",           // 73 I, with serifs
    "B C D1 D2 E",               // 74 J
    "F E G1 J M",                // 75 K
    "F E D1 D2",                 // 76 L
    "F E B C H J",               // 77 M
    "F E B C H M",               // 78 N
    "A1 A2 B C D1 D2 E F",       // 79 O
    "A1 A2 B F E G1 G2",         // 80 P
    "A1 A2 B C D1 D2 E F M",     // 81 Q
    "A1 A2 B F E G1 G2 M",       // 82 R
    "A1 A2 F G1 G2 C D1 D2",     // 83 S
    "A1 A2 I L",                 // 84 T
    "F E D1 D2 C B",             // 85 U
    "F E K J",                   // 86 V
    "F E B C K M",               // 87 W
    "H J K M",                   // 88 X
    "H J L",                     // 89 Y
    "A1 A2 J K D1 D2",           // 90 Z
    "A1 F E D1",                 // 91 [
    "H M",                       // 92 backslash
    "A2 B C D2",                 // 93 ]
    "K M",                       // 94 ^
    "D1 D2",                     // 95 _
    "H",                         // 96 `
    "G1 E D1 D2 L",              // 97 a
    "F E D1 D2 C G1 G2",         // 98 b
    "G1 G2 E D1 D2",             // 99 c
    "B C D1 D2 E G1 G2",         // 100 d
    "A1 A2 B F G1 G2 E D1 D2",   // 101 e
    "A2 I L G1 G2",              // 102 f
    "A1 F G1 I L D1",            // 103 g
    "F E G1 G2 C",               // 104 h
    "L hidot",                   // 105 i
    "L D1 hidot",                // 106 j
    "F E G1 M",                  // 107 k
    "I L D2",                    // 108 l
    "G1 G2 E L C",               // 109 m
    "E G1 G2 C",                 // 110 n
    "G1 G2 E C D1 D2",           // 111 o
    "A1 F G1 I E",               // 112 p
    "A2 B G2 I C",               // 113 q
    "E G1",                      // 114 r
    "A1 F G1 L D1",              // 115 s
    "I L G1 G2 D2",              // 116 t
    "E C D1 D2",                 // 117 u
    "E K",                       // 118 v
    "E C K M",                   // 119 w
    "G1 G2 K M",                 // 120 x
    "F B G1 G2 C D1 D2",         // 121 y
    "G1 G2 K D1 D2",             // 122 z
    "A2 I L D2 G1",              // 123 {
    "I L",                       // 124 |, the I without serifs
    "A1 I L D1 G2",              // 125 }
    "G1 I A2",                   // 126 ~
    "triangle",                  // 127: a small triangle
};

} // namespace

std::string_view GlyphRecipe(int code) {
    if (code < 32 || code > 127) {
        return {};
    }
    return kRecipes[static_cast<std::size_t>(code - 32)];
}

} // namespace diglux::glyphgen
