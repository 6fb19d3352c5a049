#pragma once
// The rebuild of fixed components (built-in symbols that keep their own rotation). The
// tools register it; with nothing registered the call does nothing.
#include <functional>

struct Objex;

// Rebuilds the 3D symbol of a fixed component and applies its rotation angle again.
void UpdateFixedComponent(Objex* object);
void SetUpdateFixedComponentHandler(std::function<void(Objex*)> handler);

void ResetComponentSeams();
