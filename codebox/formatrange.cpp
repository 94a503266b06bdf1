#include "codebox/formatrange.h"

#include "codebox/richtextbox.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextBlock>

#include <algorithm>

namespace quorbel {

namespace {

constexpr int kTabWidth = 4;

// A fragment's text as drawn: tabs become blanks up to the next tab stop,
// counted from column.
QString expandTabs(const QString &text, int &column)
{
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\t')) {
            const int blanks = kTabWidth - column % kTabWidth;
            out.append(QString(blanks, QLatin1Char(' ')));
            column += blanks;
        } else {
            out.append(c);
            ++column;
        }
    }
    return out;
}

} // namespace

int formatRange(const RichTextBox &box, QPainter &painter, const QRect &draw, const QRect &page, int from, int to)
{
    const int length = box.textLength();
    const int end = (to < 0 || to > length) ? length : to;
    if (from >= end)
        return end;
    const double dpiX = painter.device()->logicalDpiX();
    const double dpiY = painter.device()->logicalDpiY();
    const auto px = [](int twips, double dpi) { return twips * dpi / 1440.0; };
    const QRectF drawArea(QPointF(px(draw.left(), dpiX), px(draw.top(), dpiY)),
                          QPointF(px(draw.right(), dpiX), px(draw.bottom(), dpiY)));
    const QRectF pageArea(QPointF(px(page.left(), dpiX), px(page.top(), dpiY)),
                          QPointF(px(page.right(), dpiX), px(page.bottom(), dpiY)));
    // A margin smaller than the device's unprintable edge puts part of the
    // rectangle outside the page: the text is laid out where the device can
    // draw, so that no line and no line's start is lost there.
    const QRectF area = drawArea.intersected(pageArea);

    painter.save();
    painter.setClipRect(area);
    const QFont font(box.font(), painter.device());
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double lineHeight = metrics.lineSpacing();

    int line = box.lineFromChar(from);
    int position = from;
    double top = area.top();
    bool first = true;
    while (position < end) {
        if (!first && top + lineHeight > area.bottom())
            break;
        first = false;
        const QTextBlock block = box.document()->findBlockByNumber(line);
        const int lineStart = box.lineIndex(line);
        const int lineEnd = std::min(end, lineStart + static_cast<int>(block.length() - 1));
        double x = area.left();
        int column = 0;
        const double baseline = top + metrics.ascent();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int fragmentStart = lineStart + (fragment.position() - block.position());
            const int drawFrom = std::max(fragmentStart, position);
            const int drawTo = std::min(fragmentStart + static_cast<int>(fragment.length()), lineEnd);
            if (drawFrom >= drawTo)
                continue;
            const QString text = expandTabs(fragment.text().mid(drawFrom - fragmentStart, drawTo - drawFrom), column);
            const QBrush brush = fragment.charFormat().foreground();
            painter.setPen(brush.style() == Qt::NoBrush ? QColor(Qt::black) : brush.color());
            painter.drawText(QPointF(x, baseline), text);
            x += metrics.horizontalAdvance(text);
        }
        top += lineHeight;
        ++line;
        const int next = box.lineIndex(line);
        position = next < 0 ? end : std::min(next, end);
        if (lineEnd >= end)
            position = end;
    }
    painter.restore();
    return position;
}

} // namespace quorbel
