#pragma once
// The status bar's readouts: the texts the main window controller shows while a tool is
// tracked or after a command, and the plain entry points the logic calls, which hand the text
// to the window through MainWindowStatusText (nothing happens until the window registers).
// Lengths are formatted by the current document's readout.
#include <optional>
#include <string>

// The window controller's readout methods, as texts (8-bit Mac OS Roman). An empty text
// clears the status bar.
namespace statustext {
std::string clearStatusBar();
// A null text clears.
std::string setStatusBarText(const char* text);
// 32000 (no angle) clears.
std::string drawAngle(float degrees);
// A zero value clears each of these.
std::string drawDiameter(float diameter);
std::string drawLength(float inches);
std::string drawViewLength(float inches);
// Without a document nothing changes (no text).
std::optional<std::string> updateRadius(float radius);
// Width and height in inches and the area they enclose in whole square feet or square metres
// by the document's measurement system; clears when both sides are 0.
std::string drawWidthHeightArea(float width, float height);
// Zoomed lengths; each one present (not 0) reads unzoomed, in the order width, depth, height.
std::string drawWidthHeightDepth(float width, float height, float depth);
}  // namespace statustext

void ClearStatusBar();
void SetStatusBar(const char* text);
void DrawAngle(float degrees);
void DrawDiameter(float diameter);
void DrawLength(float inches);
void DrawViewLength(float inches);
void UpdateRadius(float radius);
// Width, depth and height in this order (zoomed plan lengths, as tracking has them).
void DrawWH(float width, float depth, float height);
// Width and height in plan units; needs a current document.
void DrawWHArea(float width, float height);
