#include "codebox/codeboxmenu.h"

#include "codebox/richtextbox.h"
#include "platform/qt/clipboard.h"

#include <QMimeData>
#include <QTextDocumentFragment>

#include <stdexcept>

namespace quorbel {

CodeBoxMenu::CodeBoxMenu(RichTextBox &rtb, Clipboard &clipboard, Actions actions, QWidget *parent)
    : QMenu(QStringLiteral("PopupMenu"), parent), m_rtb(rtb), m_clipboard(clipboard), m_actions(std::move(actions))
{
    setObjectName(QStringLiteral("mnuPopUpMenu"));
    add("&Undo", "mnuUndo", [this] { m_rtb.undoUserStep(); });
    separator("sep1");
    add("Cu&t", "mnuCut", [this] {
        copySelection();
        m_rtb.setSelTextQ(QString());
    });
    add("&Copy", "mnuCopy", [this] { copySelection(); });
    add("&Paste", "mnuPaste", [this] { m_actions.paste(m_clipboard.text()); });
    add("&Delete", "mnuDelete", [this] { m_rtb.setSelTextQ(QString()); });
    separator("sep2");
    add("Sellect &All", "mnuSelectAll", [this] {
        m_rtb.setSelStart(0);
        m_rtb.setSelLength(m_rtb.textLength());
    });
    separator("sep3");
    add("Color Code", "mnuColorCode", [this] { m_actions.colorCode(); });
    separator("sep4");
    add("&Print", "mnuPrint", [this] { m_actions.print(); });
}

QAction *CodeBoxMenu::add(const char *caption, const char *name, std::function<void()> run)
{
    QAction *entry = addAction(QString::fromLatin1(caption));
    entry->setObjectName(QString::fromLatin1(name));
    connect(entry, &QAction::triggered, this, [run = std::move(run)] { run(); });
    return entry;
}

QAction *CodeBoxMenu::separator(const char *name)
{
    QAction *entry = addSeparator();
    entry->setObjectName(QString::fromLatin1(name));
    return entry;
}

QAction &CodeBoxMenu::action(const char *name) const
{
    for (QAction *entry : actions()) {
        if (entry->objectName() == QLatin1String(name))
            return *entry;
    }
    throw std::logic_error(std::string("no menu entry ") + name);
}

void CodeBoxMenu::updateStates()
{
    const bool selection = m_rtb.selLength() != 0;
    const bool colourAuto = m_actions.colorAuto();
    action("mnuPaste").setEnabled(m_clipboard.hasText());
    action("mnuColorCode").setVisible(!colourAuto);
    action("sep4").setVisible(!colourAuto);
    action("mnuSelectAll").setEnabled(m_rtb.textLength() != 0);
    action("mnuCut").setEnabled(selection);
    action("mnuCopy").setEnabled(selection);
    action("mnuDelete").setEnabled(selection);
}

void CodeBoxMenu::copySelection()
{
    auto data = std::make_unique<QMimeData>();
    data->setText(m_rtb.SelTextQ());
    data->setHtml(QTextDocumentFragment(m_rtb.textCursor()).toHtml());
    data->setData(QStringLiteral("text/rtf"), m_rtb.SelRTF().toLatin1());
    m_clipboard.setMimeData(std::move(data));
}

} // namespace quorbel
