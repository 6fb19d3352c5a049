#pragma once
// The pictures of the palette cells and the document toolbar: this program's own single-colour
// line drawings, one SVG per picture on a 24-unit grid (resources/pictures/<name>.svg, compiled
// in under ":/pictures/"). They are drawn in the palette's text colour, so a dark theme gets
// light lines. A name ending in "Lock" is its picture with a padlock (the locked snap modes).
// The live view's toolbar takes its pictures from here too, named after its items, once it is
// built.
#include <QColor>
#include <QIcon>
#include <QImage>
#include <QString>

bool HasToolPicture(const QString& name);
// The picture `pixels` square in `ink`, transparent around the lines; null when there is none.
QImage RenderToolPicture(const QString& name, int pixels, const QColor& ink);
// At 16, 24 and 32 pixels in the application palette's button text colour; null when there is
// no picture.
QIcon ToolPicture(const QString& name);
