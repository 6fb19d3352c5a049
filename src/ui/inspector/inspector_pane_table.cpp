#include <initializer_list>

#include "ui/inspector/inspector_pane.h"
#include "ui/inspector/opening_inspectors.h"
#include "ui/inspector/wall_inspectors.h"
#include "ui/inspector/light_panes.h"
#include "ui/inspector/object_panes.h"
#include "ui/inspector/skylight_pane.h"
#include "ui/inspector/roof_panes.h"
#include "ui/inspector/stair_deck_panes.h"
#include "ui/inspector/fixture_panes.h"
#include "ui/inspector/site_panes.h"
#include "ui/inspector/structure_panes.h"
#include "ui/inspector/detail_panes.h"
#include "ui/inspector/photo_pane.h"

// One row per pane class built: its class name and how it is made. A class without a row
// answers no view, and the host shows the no-properties view in its place.
void RegisterInspectorPanes() {
    struct Row {
        const char* className;
        InspectorPaneRegistry::Factory factory;
    };
    const std::initializer_list<Row> rows = {
        // Walls, windows and doors.
        {"WallToolInspectorController", [] { return new WallToolInspectorController; }},
        {"WallObjectInspectorController", [] { return new WallObjectInspectorController; }},
        {"WindowInspectorController", [] { return new WindowInspectorController; }},
        {"DoorInspectorController", [] { return new DoorInspectorController; }},
        // Lights, skylights, imported objects, accessories and plants.
        {"LightToolInspectorController", [] { return new LightToolInspectorController; }},
        {"LightObjectInspectorController", [] { return new LightObjectInspectorController; }},
        {"FloodLightInspectorController", [] { return new FloodLightInspectorController; }},
        {"SkylightInspectorController", [] { return new SkylightInspectorController; }},
        {"ObjectInspectorController", [] { return new ObjectInspectorController; }},
        {"AccessoryInspectorController", [] { return new AccessoryInspectorController; }},
        {"PlantInspectorController", [] { return new PlantInspectorController; }},
        // Roofs, panels, staircases, deck steps and decks.
        {"Roof1InspectorController", [] { return new Roof1InspectorController; }},
        {"Roof2InspectorController", [] { return new Roof2InspectorController; }},
        {"StairInspectorController", [] { return new StairInspectorController; }},
        {"DeckStepInspectorController", [] { return new DeckStepInspectorController; }},
        {"DeckToolInspectorController", [] { return new DeckToolInspectorController; }},
        {"DeckObjectInspectorController", [] { return new DeckObjectInspectorController; }},
        // Railings, paths, edgings, fences, gates, topography; floors, foundations and ducts;
        // electrical styles, bath fixtures and wall dimensions.
        {"RailInspectorController", [] { return new RailInspectorController; }},
        {"PathwayInspectorController", [] { return new PathwayInspectorController; }},
        {"EdgingInspectorController", [] { return new EdgingInspectorController; }},
        {"FenceInspectorController", [] { return new FenceInspectorController; }},
        {"GateToolInspectorController", [] { return new GateToolInspectorController; }},
        {"TopoInspectorController", [] { return new TopoInspectorController; }},
        {"FloorInspectorController", [] { return new FloorInspectorController; }},
        {"StiffenerBeamInspectorController", [] { return new StiffenerBeamInspectorController; }},
        {"FoundationPierInspectorController", [] { return new FoundationPierInspectorController; }},
        {"AirDuctInspectorController", [] { return new AirDuctInspectorController; }},
        {"Recept1InspectorController", [] { return new Recept1InspectorController; }},
        {"Recept2InspectorController", [] { return new Recept2InspectorController; }},
        {"Switch1InspectorController", [] { return new Switch1InspectorController; }},
        {"Switch2InspectorController", [] { return new Switch2InspectorController; }},
        {"BathTubInspectorController", [] { return new BathTubInspectorController; }},
        {"SpaTubInspectorController", [] { return new SpaTubInspectorController; }},
        {"ShowerInspectorController", [] { return new ShowerInspectorController; }},
        {"WallDimInspectorController", [] { return new WallDimInspectorController; }},
        // The detail tools and shapes; photos.
        {"DetailTool1InspectorController", [] { return new DetailTool1InspectorController; }},
        {"DetailTool2InspectorController", [] { return new DetailTool2InspectorController; }},
        {"DetailTool3InspectorController", [] { return new DetailTool3InspectorController; }},
        {"DetailObjectInspectorController", [] { return new DetailObjectInspectorController; }},
        {"RorozErudInspectorController", [] { return new RorozErudInspectorController; }},
    };
    for (const Row& r : rows) InspectorPaneRegistry::registerPane(r.className, r.factory);
}
