#pragma once
// Grouping the selection and taking a group apart. (Groups are built by GroupObject,
// objects.h, and command 5025.)
struct Layer;
struct Objex;

// Groups the selected top-level objects of the layers from firstLayer on as the group command
// does: nothing once 26 selected groups are counted (gOverload) or when fewer than two objects
// are selected; the new group is left in gGroupLeader.
void GroupSelectedObjects(Layer* firstLayer);

// Only for groups (type 1000) on a layer: deletes the group object and puts each former
// member, in order, at the end of the group's layer as a deselected top-level object with
// fresh bounds.
void UngroupObject(Objex* object);
