#include "codebox/richtextbox.h"

#include <QMimeData>

namespace quorbel {

RichTextBox::RichTextBox(QWidget *parent) : QTextEdit(parent) { setLineWrapMode(NoWrap); }
RichTextBox::~RichTextBox() = default;
std::string RichTextBox::text() const { return TextQ().toStdString(); }
void RichTextBox::setText(std::string_view t) { setTextQ(QString::fromUtf8(t.data(), qsizetype(t.size()))); }
std::string RichTextBox::selText() const { return SelTextQ().toStdString(); }
void RichTextBox::setSelText(std::string_view t) { setSelTextQ(QString::fromUtf8(t.data(), qsizetype(t.size()))); }
int RichTextBox::selStart() const { return 0; }
void RichTextBox::setSelStart(int) {}
int RichTextBox::selLength() const { return 0; }
void RichTextBox::setSelLength(int) {}
int RichTextBox::lineCount() const { return 1; }
int RichTextBox::lineIndex(int) const { return -1; }
int RichTextBox::lineFromChar(int) const { return 0; }
void RichTextBox::setSel(int, int) {}
QString RichTextBox::TextQ() const { return {}; }
void RichTextBox::setTextQ(const QString &) {}
QString RichTextBox::SelTextQ() const { return {}; }
void RichTextBox::setSelTextQ(const QString &) {}
void RichTextBox::appendTextQ(const QString &) {}
int RichTextBox::textLength() const { return 0; }
qint32 RichTextBox::SelColor() const { return 0; }
void RichTextBox::setSelColor(qint32) {}
QString RichTextBox::SelRTF() const { return {}; }
void RichTextBox::setSelRTF(const QString &) {}
QString RichTextBox::TextRTF() const { return {}; }
void RichTextBox::setTextRTF(const QString &) {}
int RichTextBox::MousePointer() const { return m_mousePointer; }
void RichTextBox::setMousePointer(int p) { m_mousePointer = p; }
void RichTextBox::lockWindowUpdate() { ++m_lockDepth; }
void RichTextBox::unlockWindowUpdate() { --m_lockDepth; }
void RichTextBox::beginProgrammaticEdit() { ++m_editDepth; }
void RichTextBox::endProgrammaticEdit() { --m_editDepth; }
void RichTextBox::setPasteHandler(PasteHandler h) { m_pasteHandler = std::move(h); }
void RichTextBox::setBackColor(qint32 c) { m_backColor = c; }
void RichTextBox::setRightMargin(float t) { m_rightMargin = t; }
void RichTextBox::setOLEDropMode(int m) { m_oleDropMode = m; }
void RichTextBox::setScrollBars(int b) { m_scrollBars = b; }
void RichTextBox::OLEDrag() {}
void RichTextBox::keyPressEvent(QKeyEvent *e) { QTextEdit::keyPressEvent(e); }
void RichTextBox::keyReleaseEvent(QKeyEvent *e) { QTextEdit::keyReleaseEvent(e); }
void RichTextBox::mousePressEvent(QMouseEvent *e) { QTextEdit::mousePressEvent(e); }
void RichTextBox::mouseMoveEvent(QMouseEvent *e) { QTextEdit::mouseMoveEvent(e); }
void RichTextBox::mouseReleaseEvent(QMouseEvent *e) { QTextEdit::mouseReleaseEvent(e); }
void RichTextBox::mouseDoubleClickEvent(QMouseEvent *e) { QTextEdit::mouseDoubleClickEvent(e); }
void RichTextBox::dragEnterEvent(QDragEnterEvent *e) { QTextEdit::dragEnterEvent(e); }
void RichTextBox::dragMoveEvent(QDragMoveEvent *e) { QTextEdit::dragMoveEvent(e); }
void RichTextBox::dragLeaveEvent(QDragLeaveEvent *e) { QTextEdit::dragLeaveEvent(e); }
void RichTextBox::dropEvent(QDropEvent *e) { QTextEdit::dropEvent(e); }
bool RichTextBox::canInsertFromMimeData(const QMimeData *s) const { return s->hasText(); }
void RichTextBox::insertFromMimeData(const QMimeData *s) { setSelTextQ(s->text()); }
QMimeData *RichTextBox::createMimeDataFromSelection() const { return QTextEdit::createMimeDataFromSelection(); }
int RichTextBox::toCrlf(int p) const { return p; }
int RichTextBox::toDoc(int p) const { return p; }
QTextCursor RichTextBox::currentCursor() const { return textCursor(); }
void RichTextBox::applyCursor(const QTextCursor &c) { setTextCursor(c); }
QString RichTextBox::textOf(const QTextCursor &) const { return {}; }
QString RichTextBox::richTextOf(int, int) const { return {}; }
void RichTextBox::insertRuns(QTextCursor &, const QString &) {}
void RichTextBox::onContentsChange(int, int, int) {}
short RichTextBox::shiftState(Qt::KeyboardModifiers) const { return 0; }
QPointF RichTextBox::toTwips(const QPointF &p) const { return p; }
qint32 RichTextBox::dropEffect(const QDropEvent *) const { return 0; }

} // namespace quorbel
