#include "host/qtcommandbar.h"

#include "platform/messageboxes.h"
#include "platform/qt/clipboard.h"

#include <QIcon>
#include <QPixmap>
#include <QWidget>

namespace quorbel::host {

namespace {

constexpr std::string_view kInvalidArgument = "Invalid procedure call or argument";

} // namespace

QtCommandBarControl::QtCommandBarControl(QtCommandBar &bar, QAction &action) : m_bar(bar), m_action(&action)
{
}

QAction *QtCommandBarControl::separatorBefore() const
{
    if (m_action == nullptr)
        return nullptr;
    const QList<QAction *> actions = m_bar.widget().actions();
    const qsizetype at = actions.indexOf(m_action.data());
    if (at <= 0 || !actions[at - 1]->isSeparator())
        return nullptr;
    return actions[at - 1];
}

bool QtCommandBarControl::BeginGroup() const
{
    return separatorBefore() != nullptr;
}

void QtCommandBarControl::setBeginGroup(bool begins)
{
    if (m_action == nullptr || !m_bar.widget().actions().contains(m_action.data()))
        return;
    QAction *separator = separatorBefore();
    if (begins && separator == nullptr) {
        separator = new QAction(&m_bar.widget());
        separator->setSeparator(true);
        m_bar.widget().insertAction(m_action, separator);
    } else if (!begins && separator != nullptr) {
        m_bar.widget().removeAction(separator);
        delete separator;
    }
}

std::string QtCommandBarControl::Caption() const
{
    return m_action == nullptr ? std::string() : m_action->text().toStdString();
}

void QtCommandBarControl::setCaption(std::string_view caption)
{
    if (m_action != nullptr)
        m_action->setText(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

void QtCommandBarControl::PasteFace()
{
    const QImage picture = m_bar.clipboard().image();
    if (picture.isNull())
        throw vbe::VbeError("The clipboard holds no picture");
    if (m_action != nullptr)
        m_action->setIcon(QIcon(QPixmap::fromImage(picture)));
}

void QtCommandBarControl::Delete()
{
    if (m_action == nullptr)
        return;
    // The group's separator goes with the control that begins the group.
    setBeginGroup(false);
    // The action stays alive (owned by the menu) so that this object and any
    // subscription to it stay valid; it is only taken off the menu.
    m_bar.widget().removeAction(m_action);
}

QtCommandBar::QtCommandBar(std::string name, QWidget &widget, Clipboard &clipboard)
    : m_name(std::move(name)), m_widget(&widget), m_clipboard(clipboard)
{
}

QtCommandBar::~QtCommandBar() = default;

int QtCommandBar::Count() const
{
    if (m_widget == nullptr)
        return 0;
    int count = 0;
    for (const QAction *action : m_widget->actions())
        count += action->isSeparator() ? 0 : 1;
    return count;
}

vbe::CommandBarControl &QtCommandBar::Item(int index)
{
    if (m_widget != nullptr && index >= 1) {
        int seen = 0;
        for (QAction *action : m_widget->actions()) {
            if (!action->isSeparator() && ++seen == index)
                return control(*action);
        }
    }
    throw vbe::VbeError(std::string(kInvalidArgument));
}

vbe::CommandBarControl &QtCommandBar::Add(int type)
{
    if (type != vbe::kControlButton || m_widget == nullptr)
        throw vbe::VbeError(std::string(kInvalidArgument));
    auto *action = new QAction(m_widget);
    m_widget->addAction(action);
    return control(*action);
}

QtCommandBarControl &QtCommandBar::control(QAction &action)
{
    auto &slot = m_controls[&action];
    if (slot == nullptr || slot->action() != &action)
        slot = std::make_unique<QtCommandBarControl>(*this, action);
    return *slot;
}

QtCommandBarEvents::QtCommandBarEvents(QtCommandBarControl &control, MessageBoxes &messages)
    : m_control(control), m_messages(messages)
{
    if (QAction *action = control.action())
        m_connection = QObject::connect(action, &QAction::triggered, [this] { clicked(); });
}

QtCommandBarEvents::~QtCommandBarEvents()
{
    QObject::disconnect(m_connection);
}

void QtCommandBarEvents::setClickHandler(std::function<void(vbe::ClickEvent &)> handler)
{
    m_handler = std::move(handler);
}

void QtCommandBarEvents::clicked()
{
    if (!m_handler)
        return;
    // Copies: the handler may end this subscription.
    const auto handler = m_handler;
    QtCommandBarControl &control = m_control;
    MessageBoxes &messages = m_messages;
    vbe::ClickEvent event{&control};
    try {
        handler(event);
    } catch (const std::exception &error) {
        messages.show("The add-in failed on a click of \"" + control.Caption() + "\": " + error.what(), Buttons::Ok,
                      Icon::Exclamation);
    } catch (...) {
        messages.show("The add-in failed on a click of \"" + control.Caption() + "\"", Buttons::Ok, Icon::Exclamation);
    }
}

} // namespace quorbel::host
