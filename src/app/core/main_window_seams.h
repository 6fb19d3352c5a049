#pragma once
// The plan view of the main document window, asked by plan text, alerts and trackers; the
// shell registers the lookup at start-up. Without it there is no view (null).
#include "port/seam.h"

class Base2DView;

DVX_SEAM(MainWindowDocumentView, "app", port::SeamKind::UserInterface, Base2DView*());
