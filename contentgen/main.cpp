// dvx_contentgen <stock root>: writes the program's stock content.
#include <cstdio>

#include "contentgen.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: dvx_contentgen <stock folder>\n");
    return 2;
  }
  const std::string root = argv[1];
  bool ok = true;
  ok = contentgen::WriteSymbols(root) && ok;
  ok = contentgen::WriteObjects(root) && ok;
  ok = contentgen::WritePlants(root) && ok;
  ok = contentgen::WriteMaterials(root) && ok;
  ok = contentgen::WriteTrims(root) && ok;
  ok = contentgen::WritePowerTools(root) && ok;
  return ok ? 0 : 1;
}
