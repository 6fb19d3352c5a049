#include "support/inspector_design.h"

#include "model/document_model.h"
#include "support/build.h"

namespace dvxtest {

InspectorDesign BuildInspectorDesign(QMDDocumentModel* doc) {
    InspectorDesign d;
    gCurDocument = doc;
    d.first = doc->itsLayers;
    d.second = d.first->next;
    d.third = d.second->next;
    doc->itsCurLayer = d.first;

    d.wall = Wall(d.first, {{0, 0}, {400, 0}, {400, 300}, {0, 300}}, true);
    d.wall->subtype = objsubtype::kExteriorWall;
    d.window = Opening(d.wall, objtype::kWindow, 600, 0);
    d.door = Opening(d.wall, objtype::kDoor, 500, 1);
    d.tub = Attach(d.wall, objtype::kComponent, PointAt(d.wall, 2), PointAt(d.wall, 3), 100, 300);
    d.tub->subtype = 95;
    d.tub->layer = d.first;
    Make(d.tub).plan({{300, 300}, {250, 300}});

    d.floor = Outline(objtype::kFloor, {{20, 20}, {380, 20}, {380, 280}, {20, 280}}).on(d.first);
    d.cutout = Outline(objtype::kFloorCutout, {{100, 100}, {150, 100}, {150, 150}}).on(d.first);
    d.light79 = Make(79).plan({{50, 50}}).on(d.first);
    d.light150 = Make(150).plan({{80, 50}}).on(d.first);
    d.floodLight = Make(objtype::kComponent, 83).plan({{120, 50}}).on(d.first);

    d.plant = Make(objtype::kPlant).plan({{500, 50}}).plant(10, 120).on(d.first);
    d.plant2 = Make(objtype::kPlant).plan({{540, 50}}).plant(10, 120).on(d.first);
    d.fence = Outline(objtype::kFence, {{500, 100}, {600, 100}}, false).on(d.first);
    d.photo = Make(objtype::kPhoto).plan({{500, 200}, {540, 200}}).on(d.first);
    d.detail = Shape(d.first, objtype::kDetail, {{-200, -100}, {-120, -100}, {-120, -40}}, true);
    d.detail2 = Shape(d.first, objtype::kDetail, {{-200, 0}, {-120, 0}}, false);
    d.propertyLine = Outline(objtype::kPropertyLine, {{-300, -300}, {700, -300}}, false).on(d.first);

    d.panel = Make(objtype::kFreehandRoof).closed().plan({{0, 0}, {200, 0}, {200, 150}, {0, 150}}).on(d.second);
    d.arrow = Make(objtype::kSlopeArrow).plan({{100, 20}, {100, 120}}).in(d.panel);
    d.arrow->layer = d.second;
    d.deck = Deck(d.second);
    d.steps = Attach(d.deck, objtype::kDeckSteps, PointAt(d.deck, 0), PointAt(d.deck, 1), 100, 100);
    d.steps->layer = d.second;
    Make(d.steps).plan({{80, 0}, {120, 0}});

    d.roof = RoofWithSkylight(d.third, 1, &d.skylight);
    return d;
}

}  // namespace dvxtest
