// texturegen: draws every picture of Vaporwick.
//
//   texturegen --font FONT.ttf --out DATA_DIR [--only KEY]
//       writes DATA_DIR/Pictures/*.png, DATA_DIR/Pictures/icon.png and
//       DATA_DIR/Settings/textureData.txt (--only: just that key's picture, or ICON)
//   texturegen --contact-sheet OUT.png DATA_DIR
//       composes every picture listed in DATA_DIR into one labelled overview

#include "ContactSheet.h"
#include "PictureTable.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: texturegen --font FONT.ttf --out DATA_DIR [--only KEY]\n"
                 "       texturegen --contact-sheet OUT.png DATA_DIR\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string font, out, only, sheet, sheetData;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--font" && hasValue)
            font = argv[++i];
        else if (arg == "--out" && hasValue)
            out = argv[++i];
        else if (arg == "--only" && hasValue)
            only = argv[++i];
        else if (arg == "--contact-sheet" && i + 2 < argc) {
            sheet = argv[++i];
            sheetData = argv[++i];
        } else
            return usage();
    }

    if (!sheet.empty()) {
        const std::string error = vw::art::writeContactSheet(sheet, sheetData);
        if (!error.empty()) {
            std::fprintf(stderr, "texturegen: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if (out.empty() || font.empty())
        return usage();
    if (!only.empty() && only != "ICON" && !vw::art::findPicture(only)) {
        std::fprintf(stderr, "texturegen: unknown texture key '%s'\n", only.c_str());
        return 2;
    }
    const std::string error = vw::art::writeAllPictures(out, {font}, only);
    if (!error.empty()) {
        std::fprintf(stderr, "texturegen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
