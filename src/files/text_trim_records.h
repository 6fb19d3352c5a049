#pragma once
// Two small records of the object section: the text record that ends a text object's record,
// and the trim record a wall point keeps for each side of its segment.
//
// Text record: i32 length and the text bytes (no NUL), then the 60-byte little-endian LOGFONT.
// The old text record (type 200, read only) has a skipped block and an alignment between the
// text and the font. Trim record: 208, two slots (0x10000 with its profile object between
// 210 and 211), from 10900 five material groups, 209.
struct Layer;
struct Objex;
struct TrimRecord;

// The text record of a text object (144, 145): its text (length 0 without) and always 60
// font bytes, the object's font or else the application's text font.
void WriteEnhancedTextData(Objex* object);
// Reads a text record into the object's text record; the text box takes the size of the
// object's 3D bounds. Without text the object shows "(empty)" in the application's font.
// Nothing without a current settings record.
void ReadEnhancedTextData(Objex* object);
// Reads an old text record and turns the object into an enhanced text (145).
void ReadTextData(Objex* object);

// A null record writes empty slots and, where the version has them, zero groups.
void WriteTrimData(TrimRecord* trim);
// Reads a trim record; with a null record everything is read and dropped. Profile objects
// are read on `layer` (the wall's; the current layer when null) and kept off it. Nothing
// without a layer.
void ReadTrimData(TrimRecord* trim, Layer* layer = nullptr);
