#include "widgets/Icons.h"

#include <QPainter>
#include <QSvgRenderer>

// The pictures live in this static library; its resource must be
// registered before the first use.
static void registerPictures() { Q_INIT_RESOURCE(icons); }

namespace quillmark::widgets {

namespace {

void ensurePictures() {
    static const bool registered = (registerPictures(), true);
    (void)registered;
}

QString resourcePath(const QString& name) { return QStringLiteral(":/quillmark/icons/%1.svg").arg(name); }

}  // namespace

QPixmap svgPixmap(const QString& name, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    ensurePictures();
    QSvgRenderer renderer(resourcePath(name));
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter);
    }
    return pixmap;
}

QIcon svgIcon(const QString& name) {
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64}) icon.addPixmap(svgPixmap(name, QSize(side, side)));
    return icon;
}

}  // namespace quillmark::widgets
