#include "host/codewindow.h"

#include <QFontDatabase>
#include <QTextBlock>

namespace quorbel::host {

CodeWindow::CodeWindow(std::string caption, const std::string &code, QWidget *parent)
    : QPlainTextEdit(parent), m_caption(std::move(caption))
{
    setWindowTitle(QString::fromStdString(m_caption));
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    QString text = QString::fromUtf8(code.data(), static_cast<qsizetype>(code.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    setPlainText(text);
}

int CodeWindow::CountOfLines() const
{
    // An empty editor still has one (empty) block, but no line.
    if (document()->isEmpty())
        return 0;
    return document()->blockCount();
}

std::string CodeWindow::Lines(int first, int count) const
{
    if (first < 1 || count < 0 || first - 1 + count > CountOfLines())
        throw vbe::VbeError("Invalid procedure call or argument");
    std::string text;
    QTextBlock block = document()->findBlockByNumber(first - 1);
    for (int i = 0; i < count; ++i, block = block.next()) {
        if (i > 0)
            text += "\r\n";
        text += block.text().toStdString();
    }
    return text;
}

std::string codeWindowCaption(std::string_view projectName, std::string_view moduleName)
{
    std::string caption(projectName);
    caption += " - ";
    caption += moduleName;
    caption += " (Code)";
    return caption;
}

} // namespace quorbel::host
