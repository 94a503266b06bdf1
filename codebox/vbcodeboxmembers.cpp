// The code box's printing, pass-through members and file operations.
#include "codebox/codeboxprint.h"
#include "codebox/controlerror.h"
#include "codebox/richtextbox.h"
#include "codebox/vbcodebox.h"
#include "engine/fileio.h"
#include "platform/messageboxes.h"
#include "platform/qt/printer.h"
#include "platform/qt/qtprinterchooser.h"

#include <QDir>
#include <QRegularExpression>

namespace quorbel {

namespace {

constexpr qint32 kFindWholeWord = 2;
constexpr qint32 kFindMatchCase = 4;
constexpr qint32 kFindNoHighlight = 8;

std::string utf8(const QString &text)
{
    return text.toStdString();
}

} // namespace

MessageBoxes &VBCodeBox::messages() const
{
    if (m_messages == nullptr)
        throw ControlError(5, "The code box has no message boxes to report a file error");
    return *m_messages;
}

void VBCodeBox::printRTF(RichTextBox &RTB, qint32 LeftMarginWidth, qint32 TopMarginHeight, qint32 RightMarginWidth,
                         qint32 BottomMarginHeight)
{
    QtPrinterChooser ownChooser(QDir::homePath());
    PrinterChooser &chooser = m_printers != nullptr ? *m_printers : ownChooser;
    const ChosenPrinter chosen = chooser.choose(this);
    if (chosen.printer == nullptr)
        return;
    quorbel::printRTF(RTB, *chosen.printer, LeftMarginWidth, TopMarginHeight, RightMarginWidth, BottomMarginHeight);
    if (!chosen.pdfFile.isEmpty() && m_messages != nullptr)
        m_messages->show(
            utf8(QStringLiteral("The code was printed into the file ") + QDir::toNativeSeparators(chosen.pdfFile)),
            Buttons::Ok, Icon::Information);
}

void VBCodeBox::SelPrint(Printer &printer, bool vStartDoc)
{
    selPrint(*m_rtb1, printer, vStartDoc);
}

qint32 VBCodeBox::Find(const QString &bstrString, std::optional<qint32> vStart, std::optional<qint32> vEnd,
                       std::optional<qint32> vOptions)
{
    const qint32 options = vOptions.value_or(0);
    const QString text = m_rtb1->TextQ();
    const qint32 start = std::clamp(vStart.value_or(m_rtb1->selStart()), 0, static_cast<qint32>(text.size()));
    const qint32 end =
        std::clamp(vEnd.value_or(static_cast<qint32>(text.size())), start, static_cast<qint32>(text.size()));
    if (bstrString.isEmpty())
        return -1;
    QString pattern = QRegularExpression::escape(bstrString);
    if ((options & kFindWholeWord) != 0)
        pattern = QStringLiteral("\\b") + pattern + QStringLiteral("\\b");
    QRegularExpression expression(pattern, (options & kFindMatchCase) != 0 ? QRegularExpression::NoPatternOption
                                                                           : QRegularExpression::CaseInsensitiveOption);
    const QString range = text.left(end);
    const QRegularExpressionMatch match = expression.match(range, start);
    if (!match.hasMatch())
        return -1;
    const qint32 found = static_cast<qint32>(match.capturedStart());
    if ((options & kFindNoHighlight) == 0)
        m_rtb1->setSel(found, found + static_cast<qint32>(match.capturedLength()));
    return found;
}

qint32 VBCodeBox::GetLineFromChar(qint32 lChar) const
{
    return m_rtb1->lineFromChar(lChar);
}

void VBCodeBox::Cls()
{
    m_rtb1->setTextQ(QString());
}

void VBCodeBox::OLEDrag()
{
    m_rtb1->OLEDrag();
}

void VBCodeBox::AboutBox()
{
    if (m_aboutBox)
        m_aboutBox();
}

void VBCodeBox::OutputFile(const QString &fileName, const QString &Contents)
{
    quorbel::OutputFile(utf8(fileName), utf8(Contents), messages());
}

void VBCodeBox::AppendFile(const QString &file, const QString &toBePrinted)
{
    quorbel::OutputFile(utf8(file), utf8(toBePrinted), messages());
}

QString VBCodeBox::InputFile(const QString &file)
{
    return QString::fromStdString(quorbel::InputFile(utf8(file), messages()));
}

QString VBCodeBox::GetDir(const QString &fileName) const
{
    return QString::fromStdString(quorbel::GetDir(utf8(fileName)));
}

} // namespace quorbel
