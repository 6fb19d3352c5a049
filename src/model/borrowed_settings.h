#pragma once
// Builds of generated geometry borrow the document's curve resolution (to turn copies' curves
// into polygons at a render quality of their own) and its view kind (to scale copies in the
// front view). A BorrowedSettings gives both back as they were when it goes, whatever path
// the build takes.
#include <cstdint>

struct DocState;
struct Objex;

class BorrowedSettings {
  public:
    explicit BorrowedSettings(DocState* ds);
    ~BorrowedSettings();
    BorrowedSettings(const BorrowedSettings&) = delete;
    BorrowedSettings& operator=(const BorrowedSettings&) = delete;

    // The object's curves as polygons at `resolution` pieces per curve (kept within 16 bits).
    void convertCurves(Objex* object, int32_t resolution);
    // Selects and unlocks the object's points (and its descendants'), then scales the object
    // about the origin by `scaleH` across and `scaleV` up in the front view.
    void scaleInFront(Objex* object, float scaleH, float scaleV);
    // The same, turning it about (centreH, centreD) in the plan view.
    void rotateInPlan(Objex* object, float angle, float centreH, float centreD);

  private:
    DocState* ds_;
    int16_t curveSegments_;
    int16_t viewKind_;
};

// The factor that takes a natural size to the wanted one; 1.0 for a natural size of 0.
inline float SizeFactor(float wanted, float natural) {
    return natural != 0.0f ? wanted / natural : 1.0f;
}
