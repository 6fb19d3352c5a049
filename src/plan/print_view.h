#pragma once
// The view a print job draws: grid (when shown and asked for on paper) and every floor, moved
// by the print translation and scaled by the print scales. No background, trace image,
// handles, feedback or camera marker. The rectangle is the page (before the translation):
// objects far from it are left out.
#include "plan/base_2d_view.h"

class QMDDocumentPrintView : public Base2DView {
public:
    using Base2DView::Base2DView;
    void drawRect(const PlatformRect& rect) override;
};
