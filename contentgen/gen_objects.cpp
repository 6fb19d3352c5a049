// The object catalogue: furniture and fittings built from simple solids at real sizes, each an
// object file with its description and preview, in the categories "ObjectCat.ini" lists. In
// the solids x runs across, y up from the floor and z from the back (against a wall) to the
// front; every size is in inches.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "contentgen.h"
#include "files/content_folders.h"
#include "object_file_writer.h"
#include "output.h"
#include "port/files.h"
#include "preview.h"
#include "solids.h"
#include "stock_document.h"

namespace contentgen {

namespace {

constexpr int kPreviewPixels = 96;

struct StockObject {
    const char* file;      // file name without extension
    const char* name;
    const char* keyWords;
    std::vector<Solid> solids;
};

struct Category {
    const char* name;
    std::vector<StockObject> objects;
};

const RGBColor kFabric = Rgb(110, 130, 160), kCushion = Rgb(140, 160, 190), kOak = Rgb(170, 125, 75),
               kWalnut = Rgb(110, 75, 45), kWhite = Rgb(240, 240, 236), kSteel = Rgb(185, 188, 192),
               kBlack = Rgb(45, 45, 48), kLinen = Rgb(235, 230, 215), kBlanket = Rgb(150, 60, 60),
               kLeather = Rgb(120, 70, 40), kTeak = Rgb(160, 115, 70), kGreenCanvas = Rgb(60, 120, 90),
               kStone = Rgb(200, 196, 188), kGlass = Rgb(170, 200, 215);

std::vector<Solid> operator+(std::vector<Solid> a, const std::vector<Solid>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Four square legs of side s under a top of w x d, standing 1 inch in from each corner.
std::vector<Solid> Legs(double w, double d, double h, double s, RGBColor c, double inset = 1) {
    std::vector<Solid> legs;
    for (double x : {-w / 2 + inset, w / 2 - inset - s})
        for (double z : {inset, d - inset - s}) legs.push_back(Box(x, 0, z, x + s, h, z + s, c));
    return legs;
}

std::vector<Solid> Table(double w, double d, double h, RGBColor c) {
    return std::vector<Solid>{Box(-w / 2, h - 1.5, 0, w / 2, h, d, c)} + Legs(w, d, h - 1.5, 2.5, c);
}

// A upholstered seat of `seats` cushions: base, cushions, back and arms.
std::vector<Solid> Seating(double w, double d, int seats, RGBColor body, RGBColor cushion) {
    const double arm = 6, inner = w - 2 * arm, each = inner / seats;
    std::vector<Solid> s{Box(-w / 2, 4, 0, w / 2, 16, d, body), Box(-w / 2, 16, 0, w / 2, 34, 9, body),
                         Box(-w / 2, 16, 0, -w / 2 + arm, 25, d, body), Box(w / 2 - arm, 16, 0, w / 2, 25, d, body)};
    for (int i = 0; i < seats; ++i) {
        const double x0 = -inner / 2 + i * each;
        s.push_back(Box(x0 + 0.3, 16, 9, x0 + each - 0.3, 20, d - 0.5, cushion));
        s.push_back(Box(x0 + 0.5, 20, 9, x0 + each - 0.5, 32, 13, cushion));
    }
    return s + Legs(w, d, 4, 2, kWalnut, 2);
}

// A bed: frame, mattress, blanket over its foot, pillows and a tall headboard.
std::vector<Solid> Bed(double w, double l) {
    std::vector<Solid> s{Box(-w / 2 - 1, 4, 0, w / 2 + 1, 14, l + 1, kWalnut), Box(-w / 2, 14, 1, w / 2, 24, l, kLinen),
                         Box(-w / 2 - 0.5, 14.5, l * 0.45, w / 2 + 0.5, 24.5, l + 0.5, kBlanket),
                         Box(-w / 2 - 1, 0, -2, w / 2 + 1, 50, 0, kWalnut)};
    const int pillows = w > 50 ? 2 : 1;
    const double each = (w - 4) / pillows;
    for (int i = 0; i < pillows; ++i) {
        const double x0 = -w / 2 + 2 + i * each;
        s.push_back(Box(x0 + 1, 24, 3, x0 + each - 1, 29, 19, kWhite));
    }
    return s + Legs(w + 2, l + 1, 4, 3, kWalnut, 0);
}

// A case of drawers or doors: body, top and `fronts` horizontal fronts on its face.
std::vector<Solid> Case(double w, double d, double h, int fronts, RGBColor body, RGBColor face, double y0 = 0) {
    std::vector<Solid> s{Box(-w / 2, y0, 0, w / 2, y0 + h, d, body)};
    const double each = (h - 4) / fronts;
    for (int i = 0; i < fronts; ++i) {
        const double y = y0 + 2 + i * each;
        s.push_back(Box(-w / 2 + 1, y + 0.3, d, w / 2 - 1, y + each - 0.3, d + 0.75, face));
        s.push_back(Box(-2, y + each / 2 - 0.4, d + 0.75, 2, y + each / 2 + 0.4, d + 1.5, kSteel));
    }
    return s;
}

std::vector<Solid> Chair(double seat, double back, RGBColor c, bool arms = false) {
    std::vector<Solid> s{Box(-9, seat - 1.5, 0, 9, seat, 19, c), Box(-9, seat, 0, 9, back, 1.5, c)};
    if (arms)
        for (double x : {-9.0, 7.5}) s.push_back(Box(x, seat + 7, 1.5, x + 1.5, seat + 8.5, 18, c));
    return s + Legs(18, 19, seat - 1.5, 1.5, c, 0.5);
}

std::vector<Category> Catalogue() {
    std::vector<Category> c;
    c.push_back({"Living Room", {
        {"Sofa", "Sofa", "sofa couch settee", Seating(84, 36, 3, kFabric, kCushion)},
        {"Loveseat", "Loveseat", "loveseat sofa couch", Seating(60, 36, 2, kFabric, kCushion)},
        {"Armchair", "Armchair", "armchair chair easy", Seating(34, 34, 1, kLeather, Rgb(140, 85, 50))},
        {"CoffeeTable", "Coffee Table", "coffee table", Table(48, 24, 17, kOak)},
        {"EndTable", "End Table", "end side table", Table(22, 22, 24, kOak) + std::vector<Solid>{Box(-10, 8, 1, 10, 9, 21, kOak)}},
        {"TVStand", "TV Stand", "television media console",
         Case(60, 18, 24, 2, kWalnut, kWalnut) + std::vector<Solid>{Box(-24, 26, 6, 24, 52, 8, kBlack), Box(-6, 24, 4, 6, 26, 10, kBlack)}},
        {"Bookcase", "Bookcase", "bookcase shelves books", [] {
             std::vector<Solid> s{Box(-18, 0, 0, -17.25, 72, 12, kOak), Box(17.25, 0, 0, 18, 72, 12, kOak), Box(-18, 0, 0, 18, 72, 0.5, kOak)};
             for (int i = 0; i <= 5; ++i) s.push_back(Box(-17.25, i * 14.1, 0.5, 17.25, i * 14.1 + 0.75, 12, kOak));
             for (int i = 0; i < 5; ++i) s.push_back(Box(-16, i * 14.1 + 0.75, 1, -2 + (i % 3) * 4, i * 14.1 + 10, 10, i % 2 ? kBlanket : kFabric));
             return s; }()},
        {"FloorLamp", "Floor Lamp", "floor lamp light",
         {Round(0, 7, 6, 6, 0, 1, kBlack, 16), Round(0, 7, 0.6, 0.6, 1, 54, kSteel, 8), Round(0, 7, 7, 5, 50, 64, kLinen, 18)}},
    }});
    c.push_back({"Dining Room", {
        {"DiningTable", "Dining Table", "dining table", Table(72, 36, 30, kWalnut)},
        {"DiningChair", "Dining Chair", "dining chair", Chair(18, 38, kWalnut)},
        {"RoundTable", "Round Table", "round dining table pedestal",
         {Round(0, 24, 24, 24, 28.5, 30, kOak, 28), Round(0, 24, 2.5, 2.5, 1, 28.5, kOak, 12), Round(0, 24, 11, 11, 0, 1, kOak, 20)}},
        {"Buffet", "Buffet", "buffet sideboard server", Case(60, 20, 32, 2, kWalnut, kOak) + std::vector<Solid>{Box(-31, 32, -0.5, 31, 34, 21, kWalnut)}},
        {"BarStool", "Bar Stool", "bar stool counter",
         {Round(0, 8, 8, 8, 0, 1, kSteel, 16), Round(0, 8, 1, 1, 1, 28, kSteel, 8), Round(0, 8, 7.5, 7.5, 28, 30, kLeather, 18), Round(0, 8, 6, 6, 10, 10.8, kSteel, 16)}},
    }});
    c.push_back({"Bedroom", {
        {"QueenBed", "Queen Bed", "queen bed", Bed(60, 80)},
        {"KingBed", "King Bed", "king bed", Bed(76, 80)},
        {"TwinBed", "Twin Bed", "twin single bed", Bed(39, 75)},
        {"Nightstand", "Nightstand", "nightstand bedside table", Case(24, 18, 26, 2, kWalnut, kOak)},
        {"Dresser", "Dresser", "dresser drawers", Case(60, 20, 32, 3, kWalnut, kOak) + std::vector<Solid>{Box(-18, 32, 2, 18, 62, 3, kGlass)}},
        {"Chest", "Chest of Drawers", "chest drawers", Case(36, 20, 48, 5, kWalnut, kOak)},
        {"Wardrobe", "Wardrobe", "wardrobe armoire closet",
         {Box(-20, 0, 0, 20, 72, 24, kWalnut), Box(-19, 2, 24, -0.25, 70, 24.75, kOak), Box(0.25, 2, 24, 19, 70, 24.75, kOak),
          Box(-2, 34, 24.75, -1, 42, 25.5, kSteel), Box(1, 34, 24.75, 2, 42, 25.5, kSteel)}},
    }});
    c.push_back({"Kitchen", {
        {"Refrigerator", "Refrigerator", "refrigerator fridge freezer",
         {Box(-18, 0, 0, 18, 70, 29, kSteel), Box(-17.75, 1, 29, -0.25, 69, 30, kSteel), Box(0.25, 1, 29, 17.75, 69, 30, kSteel),
          Box(-2, 30, 30, -1, 52, 31.5, kBlack), Box(1, 30, 30, 2, 52, 31.5, kBlack)}},
        {"Range", "Range", "range stove oven cooktop", [] {
             std::vector<Solid> s{Box(-15, 0, 0, 15, 36, 26, kSteel), Box(-15, 36, 0, 15, 40, 2, kSteel), Box(-13, 6, 26, 13, 28, 27, kBlack)};
             for (double x : {-7.5, 7.5})
                 for (double z : {9.0, 19.0}) s.push_back(Round(x, z, 4, 4, 36, 36.6, kBlack, 14));
             return s; }()},
        {"Dishwasher", "Dishwasher", "dishwasher",
         {Box(-12, 0, 0, 12, 34.5, 24, kSteel), Box(-11.5, 4, 24, 11.5, 33, 24.75, kSteel), Box(-8, 30, 24.75, 8, 31, 25.5, kBlack)}},
        {"BaseCabinet", "Base Cabinet", "base cabinet counter",
         {Box(-18, 4, 0, 18, 34.5, 24, kWhite), Box(-18, 0, 0, 18, 4, 21, kBlack), Box(-18, 34.5, 0, 18, 36, 25, kStone),
          Box(-17.5, 5, 24, -0.25, 28, 24.75, kWhite), Box(0.25, 5, 24, 17.5, 28, 24.75, kWhite),
          Box(-17.5, 28.5, 24, 17.5, 34, 24.75, kWhite)}},
        {"WallCabinet", "Wall Cabinet", "wall cabinet upper",
         {Box(-15, 54, 0, 15, 84, 12, kWhite), Box(-14.5, 54.5, 12, -0.25, 83.5, 12.75, kWhite), Box(0.25, 54.5, 12, 14.5, 83.5, 12.75, kWhite)}},
        {"KitchenIsland", "Kitchen Island", "kitchen island counter",
         {Box(-36, 4, 0, 36, 34.5, 36, kWhite), Box(-35, 0, 2, 35, 4, 34, kBlack), Box(-37, 34.5, -1, 37, 36, 37, kStone)}},
    }});
    c.push_back({"Bath and Laundry", {
        {"Vanity", "Vanity", "vanity bath sink cabinet",
         {Box(-18, 4, 0, 18, 32.5, 21, kWhite), Box(-18, 0, 0, 18, 4, 18, kBlack), Box(-18.5, 32.5, 0, 18.5, 34, 22, kStone),
          Oval(0, 11.5, 8, 6, 34, 34.3, kWhite, 20), Round(0, 2.5, 0.6, 0.6, 34, 38, kSteel, 8)}},
        {"MedicineCabinet", "Medicine Cabinet", "medicine cabinet mirror",
         {Box(-12, 48, 0, 12, 78, 4.5, kWhite), Box(-11.5, 48.5, 4.5, 11.5, 77.5, 5, kGlass)}},
        {"Washer", "Clothes Washer", "washer laundry washing machine",
         {Box(-13.5, 0, 0, 13.5, 38, 28, kWhite), Box(-13.5, 38, 0, 13.5, 42, 4, kWhite), Round(0, 16, 10, 10, 38, 38.4, kSteel, 20)}},
        {"Dryer", "Clothes Dryer", "dryer laundry",
         {Box(-13.5, 0, 0, 13.5, 38, 28, kWhite), Box(-13.5, 38, 0, 13.5, 42, 4, kWhite), Box(-10, 8, 28, 10, 28, 28.75, kSteel)}},
    }});
    c.push_back({"Office", {
        {"Desk", "Desk", "desk office writing",
         std::vector<Solid>{Box(-30, 28.5, 0, 30, 30, 30, kOak)} + Case(16, 28, 28.5, 3, kOak, kWalnut) + std::vector<Solid>{Box(28, 0, 1, 29.5, 28.5, 29, kOak)}},
        {"OfficeChair", "Office Chair", "office desk chair swivel",
         {Box(-13, 1, 12, 13, 3, 14, kBlack), Box(-1, 1, 0, 1, 3, 26, kBlack), Round(0, 13, 1.3, 1.3, 3, 17, kSteel, 8),
          Box(-10, 17, 3, 10, 20, 23, kBlack), Box(-9, 21, 1, 9, 40, 3.5, kBlack)}},
        {"FilingCabinet", "Filing Cabinet", "filing cabinet file drawers", Case(15, 28, 52, 4, kSteel, Rgb(165, 168, 172))},
        {"Credenza", "Credenza", "credenza cabinet office", Case(66, 20, 30, 2, kWalnut, kOak)},
        {"ConferenceTable", "Conference Table", "conference meeting table", Table(96, 42, 30, kWalnut)},
    }});
    c.push_back({"Outdoor", {
        {"PatioTable", "Patio Table", "patio table outdoor",
         std::vector<Solid>{Round(0, 21, 21, 21, 28, 29, kGlass, 24)} + Legs(32, 32, 28, 1.2, kBlack, 5)},
        {"PatioChair", "Patio Chair", "patio chair outdoor", Chair(17, 36, kBlack, true)},
        {"ChaiseLounge", "Chaise Lounge", "chaise lounge sun lounger outdoor",
         std::vector<Solid>{Box(-13, 10, 22, 13, 13, 76, kTeak), Box(-13, 13, 14, 13, 18, 22, kTeak), Box(-13, 18, 8, 13, 24, 14, kTeak),
          Box(-13, 24, 2, 13, 30, 8, kTeak)} + Legs(26, 76, 10, 2, kTeak, 0)},
        {"PicnicTable", "Picnic Table", "picnic table benches outdoor",
         {Box(-36, 28, 15, 36, 30, 45, kTeak), Box(-36, 16.5, 0, 36, 18, 10, kTeak), Box(-36, 16.5, 50, 36, 18, 60, kTeak),
          Box(-28, 0, 2, -26, 28, 58, kTeak), Box(26, 0, 2, 28, 28, 58, kTeak)}},
        {"Grill", "Barbecue Grill", "barbecue grill bbq outdoor",
         {Box(-24, 2, 0, 24, 34, 22, kBlack), Box(-15, 34, 1, 15, 36, 21, kBlack), Dome(0, 11, 14, 10, 36, 10, kBlack),
          RoundAlongX(-24, -20, 3, 22, 3, kBlack, 10), RoundAlongX(20, 24, 3, 22, 3, kBlack, 10), Box(-8, 40, 21, 8, 41, 23, kSteel)}},
        {"GardenBench", "Garden Bench", "garden bench seat outdoor",
         {Box(-30, 16, 4, 30, 17.5, 24, kTeak), Box(-30, 17.5, 0, 30, 34, 2, kTeak), Box(-30, 0, 0, -28, 24, 24, kTeak), Box(28, 0, 0, 30, 24, 24, kTeak)}},
        {"PatioUmbrella", "Patio Umbrella", "umbrella parasol shade outdoor",
         {Round(0, 48, 10, 10, 0, 2, kBlack, 16), Round(0, 48, 0.9, 0.9, 2, 92, kSteel, 8), Round(0, 48, 48, 2, 78, 90, kGreenCanvas, 16)}},
    }});
    return c;
}

// The extent of the solids: width, depth and height, rounded to a tenth of an inch.
std::string SizeText(const std::vector<Solid>& solids) {
    double lo[3] = {1e9, 1e9, 1e9}, hi[3] = {-1e9, -1e9, -1e9};
    for (const Solid& s : solids)
        for (const auto& row : s.rows)
            for (const Vec3& p : row) {
                const double v[3] = {p.x, p.z, p.y};
                for (int i = 0; i < 3; ++i) lo[i] = std::min(lo[i], v[i]), hi[i] = std::max(hi[i], v[i]);
            }
    const double w = std::round((hi[0] - lo[0]) * 10) / 10, d = std::round((hi[1] - lo[1]) * 10) / 10,
                 h = std::round((hi[2] - lo[2]) * 10) / 10;
    char text[160];
    std::snprintf(text, sizeof text, "%g x %g x %g in (%.0f x %.0f x %.0f cm)", w, d, h, w * 2.54, d * 2.54, h * 2.54);
    return text;
}

}  // namespace

bool WriteObjects(const std::string& /*root: the folders below come from it*/) {
    StockDocument doc;  // its settings give the model units
    if (!doc.ready()) return false;
    const std::string objects = LocalDomain3DObjectPath();
    std::string catalogue = "[Object]\n";
    bool ok = true;
    int n = 0;
    for (const Category& category : Catalogue()) {
        ++n;
        catalogue += std::to_string(n) + "Object=" + category.name + "\n";
        catalogue += std::to_string(n) + "ObjectDirectory=" + category.name + "\n";
        const std::string folder = port::JoinPath(objects, category.name);
        for (const StockObject& o : category.objects) {
            const std::string base = port::JoinPath(folder, o.file);
            ok = WriteObjectFile(base + ".POB", o.solids) && ok;
            ok = WriteText(base + ".POD", std::string("[Description]\nObjectName=") + o.name +
                                              "\nObjectDescription=" + SizeText(o.solids) +
                                              "\nKeyWords=" + o.keyWords + "\n") &&
                 ok;
            ok = WritePng(base + ".PPV", PreviewOf(o.solids, kPreviewPixels)) && ok;
        }
    }
    return WriteText(port::JoinPath(LocalDomainUserSharedPath(), "ObjectCat.ini"), catalogue) && ok;
}

}  // namespace contentgen
