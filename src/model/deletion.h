#pragma once
// Freeing objects, their points and type records, and whole layers.
struct Objex;
struct Layer;
struct TrimRecord;

// An object imported from an object file (its plan bits are handed on); cleared when that
// object is deleted.
extern Objex* gWorkbenchObject;

// Globals that can point at an object or at one of its points must not outlive it: the file
// that owns such globals registers, beside them, a function that clears the ones pointing at
// a given object (`static const ObjectForgetter kForget([](const Objex* o) {...});`).
using ForgetObjectFunction = void (*)(const Objex* object);
class ObjectForgetter {
public:
    explicit ObjectForgetter(ForgetObjectFunction forget);
};
// Runs every registered function for the object (its points still linked).
void ForgetObjectInGlobals(const Objex* object);

// Removes the object with everything it owns: points, children, generated parts, type
// record, plant record, text and platform object. Globals pointing at any of them are
// cleared first.
void DeleteObj(Objex* object);
// Releases the object's type-specific record by type.
void DeleteObjectData(Objex* object);
// Frees every point (and a wall point's trim records with their profiles).
void DeleteObjectPoints(Objex* object);
void DeleteTrimRecord(TrimRecord* trim);
// Deletes every object of a list that is not linked into a layer or child list (generated
// parts, record part lists) and empties `head`. The next link is read before each deletion.
void DeleteObjectList(Objex*& head);
// Deletes every object of the layer; sets gRefreshRender.
void DeleteLayerObjects(Layer* layer);
// Unlinks and frees the layer with its objects, moving the document's head, current, 2D
// and topography layer pointers off it.
void DeleteLayer(Layer* layer);
