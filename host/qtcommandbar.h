#pragma once

#include "platform/vbe.h"

#include <QAction>
#include <QPointer>

#include <map>
#include <memory>
#include <string>

class QWidget;

namespace quorbel {
class Clipboard;
class MessageBoxes;
} // namespace quorbel

namespace quorbel::host {

class QtCommandBar;

// A command bar control over one action of a menu (or menu bar): the caption
// is the action's text, a group begins with a separator just before it, the
// face is the action's icon.
class QtCommandBarControl : public vbe::CommandBarControl {
public:
    QtCommandBarControl(QtCommandBar &bar, QAction &action);

    bool BeginGroup() const override;
    void setBeginGroup(bool begins) override;
    std::string Caption() const override;
    void setCaption(std::string_view caption) override;
    std::string OnAction() const override { return m_onAction; }
    void setOnAction(std::string_view action) override { m_onAction = action; }
    void PasteFace() override;
    void Delete() override;

    // The action; null once the menu that held it is gone.
    QAction *action() const { return m_action; }

private:
    // The separator just before the action in its menu, if any.
    QAction *separatorBefore() const;

    QtCommandBar &m_bar;
    QPointer<QAction> m_action;
    std::string m_onAction;
};

// A command bar over a menu or menu bar: its controls are the widget's
// actions that are not separators, whoever added them, in the widget's order.
class QtCommandBar : public vbe::CommandBar, public vbe::CommandBarControls {
public:
    QtCommandBar(std::string name, QWidget &widget, Clipboard &clipboard);
    ~QtCommandBar() override;

    std::string Name() const override { return m_name; }
    vbe::CommandBarControls &Controls() override { return *this; }
    int Count() const override;
    vbe::CommandBarControl &Item(int index) override;
    vbe::CommandBarControl &Add(int type) override;

    QWidget &widget() const { return *m_widget; }
    Clipboard &clipboard() const { return m_clipboard; }
    // The control object of action, made on first use.
    QtCommandBarControl &control(QAction &action);

private:
    std::string m_name;
    QPointer<QWidget> m_widget;
    Clipboard &m_clipboard;
    std::map<QAction *, std::unique_ptr<QtCommandBarControl>> m_controls;
};

// The click events of one control: the action's triggered signal, delivered
// for as long as this object lives. A handler that throws has its error
// shown in a message box; nothing reaches the event loop.
class QtCommandBarEvents : public vbe::CommandBarEvents {
public:
    QtCommandBarEvents(QtCommandBarControl &control, MessageBoxes &messages);
    ~QtCommandBarEvents() override;

    void setClickHandler(std::function<void(vbe::ClickEvent &)> handler) override;

private:
    void clicked();

    QtCommandBarControl &m_control;
    MessageBoxes &m_messages;
    std::function<void(vbe::ClickEvent &)> m_handler;
    QMetaObject::Connection m_connection;
};

} // namespace quorbel::host
