#pragma once
// The document's light defaults copied into a new light (objfield::light).
struct DocState;
struct Objex;

// Off flag = not the light-on default, glow-off 0 while glow is on (else 1), the dimmer,
// radius and falloff.
void CopyLightDefaults(Objex* light, const DocState* ds);
