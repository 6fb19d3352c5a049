#pragma once
// A design on which every inspector pane can be tried: three floors holding one or more
// objects of each kind a pane shows. Nothing is selected; tests select what they need.
#include "model/objects.h"

class QMDDocumentModel;

namespace dvxtest {

struct InspectorDesign {
    Layer* first = nullptr;
    Layer* second = nullptr;
    Layer* third = nullptr;
    // First floor: a closed exterior wall 400 x 300 with a window (segment 0), a door
    // (segment 1) and a bath tub (segment 2); a floor with a cutout inside it; lights of
    // types 79 and 150 and a flood light; two plants, a fence, a photo, two detail shapes
    // and a property line outside the house.
    Objex *wall, *window, *door, *tub;
    Objex *floor, *cutout;
    Objex *light79, *light150, *floodLight;
    Objex *plant, *plant2, *fence, *photo, *detail, *detail2, *propertyLine;
    // Second floor: a freehand roof panel with its slope arrow, then a deck with steps.
    Objex *panel, *arrow, *deck, *steps;
    // Third floor: a roof with a skylight.
    Objex *roof, *skylight;
};

// Builds it in the document (which becomes current), the first floor current.
InspectorDesign BuildInspectorDesign(QMDDocumentModel* doc);

}  // namespace dvxtest
