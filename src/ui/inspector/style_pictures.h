#pragma once
// The picture of a pane's style row: the named picture where the application has one, else a
// plain tile, so a list keeps its rows and their order either way.
#include <QImage>
#include <QString>

QImage StylePicture(const QString& name);
