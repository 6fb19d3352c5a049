#pragma once
// Taking a group apart. (Groups are built by GroupObject, objects.h, and command 5025.)
struct Objex;

// Only for groups (type 1000) on a layer: deletes the group object and puts each former
// member, in order, at the end of the group's layer as a deselected top-level object with
// fresh bounds.
void UngroupObject(Objex* object);
