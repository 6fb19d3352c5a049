#pragma once
// A whole exchange file read into the current document: the counterpart of PlugInFileWrite.
// The program never reads its own exchange files; plug-in tools built on this code do, and
// so do the tests.
#include <cstdint>

struct Layer;

// Header, settings (with saved views and palettes from 10000), floors and objects, and the
// data block of `plugInID`. 1 when the three standard floors exist afterwards; 0 without a
// current document, when the file cannot be read or its version is none of the six (the
// design is then left alone).
int PlugInFileRead(const char* path, int32_t plugInID);

// The steps, reading at `sInputVersion`. The header gives false for an unknown version.
bool DoReadPlugInHeader();
void DoReadPlugInDocState();
void DoReadPlugInLiveViews();
void DoReadPlugInPalettes();
void DoReadPlugInObjects();
// A floor record after its tag: a new floor appended to the document (unless a symbol is
// being opened), visible, its name setting the plan view's direction. Null when no floor
// could be made (the record is still read).
Layer* ReadAPlugInLayer();
