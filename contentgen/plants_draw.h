// The stock plants' pictures: each plant drawn by its form on black, which the 3D view keys
// out around a billboard, standing on the picture's bottom edge.
#pragma once

#include <QImage>
#include <cstdint>

#include "materials_paint.h"

namespace contentgen::plants {

// Pictures are this many pixels square.
inline constexpr int kSide = 256;
// Rows and columns of black kept at the sides of every plant and above it.
inline constexpr int kPlantMargin = 2;

enum class Form {
    Broadleaf,    // a trunk under a full crown (maples, oaks, fruit trees)
    Tiered,       // a broad crown in flat layers (dogwood)
    Conifer,      // a dense cone of drooping tiers (spruce, fir)
    Pine,         // a tall trunk with open clouds of needles
    Birch,        // slender white trunks under an airy crown
    Weeping,      // a dome with strands hanging to the ground
    Columnar,     // a narrow spindle (cypress)
    Palm,         // a curved trunk under a crown of fronds
    Mound,        // a rounded shrub, heads of flowers over it (variant 1: fruit)
    Spreading,    // a low, wide feathery shrub (juniper)
    Arching,      // arching canes covered in blossom (forsythia)
    Hedge,        // clipped square
    Saguaro,      // a column with arms
    Barrel,       // a ribbed ball
    Pads,         // flat pads on pads
    Bulbs,        // stems from a tuft of leaves, one flower each (variant: 0 cup, 1 trumpet, 2 ball)
    FlowerMound,  // a low mound covered in flowers (variant: 0 pompoms, 1 trumpets, 2 five petals)
    BroadLeaves,  // a clump of broad leaves (hosta)
    Daisies,      // daisies on stems, petals round a dark cone (variant 1: drooping)
    Spikes,       // upright flower spikes over foliage (variant 1: widening downwards)
    Lilies,       // strap leaves under lilies
    Mat,          // a low mat of leaves and flowers (variant 1: pointed leaves)
    Fountain,     // grass blades arching out, plumes at their tips
    Tuft,         // a dense ball of fine blades
    Banana,       // paddle leaves on a thick stem
    Paradise,     // paddle leaves on stalks, bird-like flowers
    Corn,         // tall stalks with long leaves and tassels
};

struct Look {
    Form form = Form::Broadleaf;
    texturing::Rgb dark, mid, light;       // foliage, shade to sun
    texturing::Rgb flower, flowerCentre;   // blossom or fruit
    int flowers = 0;
    double width = 0.9;   // of the picture the plant spans
    double crown = 0.7;   // of the height the crown or foliage takes
    texturing::Rgb bark{92, 70, 52};
    int variant = 0;
    uint32_t seed = 1;
};

// The plant on black, its foot on the bottom edge, shrunk where it would reach into the margin:
// no drawn pixel is black, every pixel around it is.
QImage DrawPlant(const Look& look);

// The picture's outline alone, in light lines on black (the wire-frame render's plants).
QImage Outline(const QImage& plant);

// A small picture for the palette: the plant before a sky over a strip of lawn.
QImage Preview(const QImage& plant, int side);

}  // namespace contentgen::plants
