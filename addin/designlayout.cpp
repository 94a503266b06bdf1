#include "addin/designlayout.h"

#include "controlhost/twips.h"

#include <QWidget>

namespace quorbel {

QFont designFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow")});
    font.setPointSize(8);
    return font;
}

int twips(const QWidget &w, int value)
{
    return twipsToPixels(value, w.logicalDpiX());
}

void place(QWidget &w, const char *name, int left, int top, int width, int height)
{
    w.setObjectName(QString::fromLatin1(name));
    w.setGeometry(twips(w, left), twips(w, top), twips(w, width), twips(w, height));
}

} // namespace quorbel
