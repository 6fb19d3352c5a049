#pragma once
// The type-specific tail of an object record, after its info and points: the attached
// children of walls and decks (each with its attachment record), the skylights and cut-outs
// of roofs (from 10900), the text record of text objects, the image path of photos and user
// plants, and the dimension block of old files (read only). Other types have no tail.
struct Layer;
struct Objex;

// Appends the object's tail at `sWriteVersion`. Wall and deck links travel as point
// positions; the live object is left as it was.
void WriteObjectData(Objex* object);
// Reads the tail of an object whose info and points were just read, at `sInputVersion`;
// `layer` receives the object and is passed to the records read inside the tail. Lengths and
// counts never reach past the input, and reading stops at its end.
void ReadObjectData(Objex* object, Layer* layer);
