#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace quillmark::widgets {

// The program's own pictures, drawn from the SVG files in the resource
// ":/quillmark/icons/<name>.svg".

// An icon with pixmaps for the usual sizes (16 to 64 pixels).
QIcon svgIcon(const QString& name);

// The picture at the given size; a transparent pixmap when it is missing.
QPixmap svgPixmap(const QString& name, QSize size);

}  // namespace quillmark::widgets
