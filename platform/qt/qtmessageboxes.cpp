#include "platform/qt/qtmessageboxes.h"

#include <QMessageBox>
#include <QString>

namespace quorbel {

namespace {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon qtIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QtMessageBoxes::QtMessageBoxes(QWidget *parent) : m_parent(parent)
{
}

Answer QtMessageBoxes::show(std::string_view text, Buttons buttons, Icon icon, std::optional<std::string_view> title)
{
    QMessageBox box(m_parent);
    box.setIcon(qtIcon(icon));
    box.setWindowTitle(toQString(title.value_or(kApplicationTitle)));
    box.setText(toQString(text));
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int chosen = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return chosen == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

} // namespace quorbel
