// The stock trims: per trim folder, five numbered previews with their info files, in inches
// (".PPV") and in centimetres ("M.PPV"). Numbers 1 to 4 are the four heights a dropped trim
// builds, in the order the 3D view stores them; number 5 takes the trim away. Nothing goes into
// the user's own trim folder.
#include <string>

#include "contentgen.h"
#include "materials_paint.h"
#include "output.h"
#include "trims_draw.h"

namespace contentgen {

namespace {

using trims::Kind;

struct TrimFolder {
    const char* folder;  // as the palette spells it
    const char* prefix;
    Kind kind;
    const char* name;
    const char* none;
    int inches[4];
    int centimetres[4];
};

constexpr TrimFolder kTrimFolders[] = {
    {"BaseTrim", "BASETRIM", Kind::Base, "Base Trim", "No Base Trim", {3, 4, 6, 8}, {8, 10, 15, 20}},
    {"CrownTrim", "CROWNTRIM", Kind::Crown, "Crown Trim", "No Crown Trim", {3, 4, 6, 8}, {8, 10, 15, 20}},
    {"LibPanel", "LIBPANEL", Kind::Paneling, "Library Paneling", "No Paneling", {36, 42, 48, 60}, {90, 105, 120, 150}},
    {"Wc", "WC", Kind::Wainscot, "Wainscot", "No Wainscot", {36, 42, 48, 60}, {90, 105, 120, 150}},
};

constexpr int kPreviewSide = 128;
constexpr double kCentimetresPerInch = 2.54;

bool WriteEntry(const std::string& base, Kind kind, double inches, const std::string& label, const std::string& name) {
    const texturing::Ini info = texturing::Ini().section("Description").key("Name", name);
    return WriteImage(base + ".PPV", trims::DrawTrimPreview(kind, inches, label.c_str(), kPreviewSide), "png") &
           WriteText(base + ".PTI", info.text());
}

}  // namespace

bool WriteTrims(const std::string& root) {
    bool ok = true;
    for (const TrimFolder& t : kTrimFolders) {
        const std::string folder = root + "/Textures/" + t.folder + "/" + t.prefix;
        for (int n = 1; n <= 4; ++n) {
            const int in = t.inches[n - 1], cm = t.centimetres[n - 1];
            const std::string base = folder + std::to_string(n);
            ok = WriteEntry(base, t.kind, in, std::to_string(in) + "\"", t.name + (", " + std::to_string(in) + "\"")) && ok;
            ok = WriteEntry(base + "M", t.kind, cm / kCentimetresPerInch, std::to_string(cm) + "cm",
                            t.name + (", " + std::to_string(cm) + " cm")) &&
                 ok;
        }
        ok = WriteEntry(folder + "5", t.kind, 0, "", t.none) && ok;
        ok = WriteEntry(folder + "5M", t.kind, 0, "", t.none) && ok;
    }
    return ok;
}

}  // namespace contentgen
