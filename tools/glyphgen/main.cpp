// glyphgen <output-root>: draws the glyph maps, the program icons and the contact sheet and
// writes them below the given folder: display/maps/<MapName>.png,
// display/icons/diglux-<size>.png and docs/glyphs.png. The output depends on nothing but
// this program, so running it again reproduces the same files byte for byte.
#include "AppIcon.h"
#include "Artwork.h"
#include "ContactSheet.h"
#include "MapCanvas.h"
#include "host/linux/PngCodec.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using diglux::glyphgen::NamedImage;

bool WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) {
        std::fprintf(stderr, "glyphgen: could not encode %s\n", path.c_str());
        return false;
    }
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "glyphgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool WriteMaps(const fs::path& root, const std::vector<NamedImage>& maps) {
    for (const NamedImage& map : maps) {
        const fs::path path = root / "display" / "maps" / (map.name + ".png");
        // The close button is a colour image; the glyph maps take the smaller encoding.
        const auto bytes = map.name == "PicBut" ? diglux::EncodeRgbPng(map.pixels)
                                                : diglux::glyphgen::EncodeSmallest(map.pixels);
        if (!WriteFile(path, bytes)) {
            return false;
        }
    }
    return true;
}

bool WriteIcons(const fs::path& root) {
    for (const int size : diglux::glyphgen::kIconSizes) {
        const fs::path path =
            root / "display" / "icons" / ("diglux-" + std::to_string(size) + ".png");
        if (!WriteFile(path,
                       diglux::EncodeRgbaPng(size, size, diglux::glyphgen::BuildAppIcon(size)))) {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: glyphgen <output-root>\n");
        return 2;
    }
    const fs::path root = argv[1];
    try {
        const std::vector<NamedImage> maps = diglux::glyphgen::BuildAllMaps();
        const diglux::RgbImage sheet = diglux::glyphgen::BuildContactSheet(maps);
        const bool ok = WriteMaps(root, maps) && WriteIcons(root) &&
                        WriteFile(root / "docs" / "glyphs.png", diglux::EncodeRgbPng(sheet));
        return ok ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "glyphgen: %s\n", e.what());
        return 1;
    }
}
