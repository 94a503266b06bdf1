#pragma once

#include "platform/qt/clipboard.h"
#include "platform/vbe.h"

#include <QImage>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace quorbel::testing {

// The development environment's object model held in memory, for tests: named
// command bars with controls, click subscriptions that a test fires, and an
// optional active code pane.
class FakeVbe : public vbe::VBE {
public:
    class Control : public vbe::CommandBarControl {
    public:
        Control(FakeVbe &owner, int type) : m_owner(owner), type(type) {}
        bool BeginGroup() const override { return beginGroup; }
        void setBeginGroup(bool begins) override { beginGroup = begins; }
        std::string Caption() const override { return caption; }
        void setCaption(std::string_view text) override { caption = text; }
        std::string OnAction() const override { return onAction; }
        void setOnAction(std::string_view action) override { onAction = action; }
        void PasteFace() override
        {
            const QImage picture = m_owner.clipboard.image();
            if (picture.isNull())
                throw vbe::VbeError("The clipboard holds no picture");
            face = picture;
        }
        void Delete() override { m_owner.remove(this); }

        FakeVbe &m_owner;
        int type;
        bool beginGroup = false;
        std::string caption;
        std::string onAction;
        QImage face;
        bool deleted = false;
    };

    class Bar : public vbe::CommandBar, public vbe::CommandBarControls {
    public:
        Bar(FakeVbe &owner, std::string name) : m_owner(owner), m_name(std::move(name)) {}
        std::string Name() const override { return m_name; }
        vbe::CommandBarControls &Controls() override { return *this; }
        int Count() const override { return static_cast<int>(controls.size()); }
        vbe::CommandBarControl &Item(int index) override
        {
            if (index < 1 || index > Count())
                throw vbe::VbeError("Invalid procedure call or argument");
            return *controls[static_cast<std::size_t>(index - 1)];
        }
        vbe::CommandBarControl &Add(int type) override
        {
            if (type != vbe::kControlButton)
                throw vbe::VbeError("Invalid procedure call or argument");
            return addControl(type, "", false);
        }
        // A control as the environment itself puts it on the bar.
        Control &addControl(int type, std::string caption, bool beginGroup)
        {
            auto control = std::make_unique<Control>(m_owner, type);
            control->caption = std::move(caption);
            control->beginGroup = beginGroup;
            controls.push_back(control.get());
            m_owner.m_allControls.push_back(std::move(control));
            return *m_owner.m_allControls.back();
        }

        FakeVbe &m_owner;
        std::string m_name;
        std::vector<Control *> controls; // in order, live ones only
    };

    class Subscription : public vbe::CommandBarEvents {
    public:
        Subscription(FakeVbe &owner, vbe::CommandBarControl *control) : m_owner(owner), control(control)
        {
            m_owner.m_subscriptions.push_back(this);
        }
        ~Subscription() override { std::erase(m_owner.m_subscriptions, this); }
        void setClickHandler(std::function<void(vbe::ClickEvent &)> h) override { handler = std::move(h); }

        FakeVbe &m_owner;
        vbe::CommandBarControl *control;
        std::function<void(vbe::ClickEvent &)> handler;
    };

    class EventsImpl : public vbe::Events {
    public:
        explicit EventsImpl(FakeVbe &owner) : m_owner(owner) {}
        std::unique_ptr<vbe::CommandBarEvents> commandBarEvents(vbe::CommandBarControl *control) override
        {
            if (control == nullptr)
                throw vbe::VbeError("Object required");
            return std::make_unique<Subscription>(m_owner, control);
        }
        FakeVbe &m_owner;
    };

    class Pane : public vbe::CodePane, public vbe::Window, public vbe::CodeModule {
    public:
        vbe::Window &window() override { return *this; }
        vbe::CodeModule &codeModule() override { return *this; }
        std::string Caption() const override { return caption; }
        int CountOfLines() const override { return static_cast<int>(lines.size()); }
        std::string Lines(int first, int count) const override
        {
            if (first < 1 || count < 0 || first - 1 + count > CountOfLines())
                throw vbe::VbeError("Invalid procedure call or argument");
            std::string text;
            for (int i = first - 1; i < first - 1 + count; ++i) {
                if (i > first - 1)
                    text += "\r\n";
                text += lines[static_cast<std::size_t>(i)];
            }
            return text;
        }
        std::string caption;
        std::vector<std::string> lines;
    };

    class Bars : public vbe::CommandBars {
    public:
        explicit Bars(FakeVbe &owner) : m_owner(owner) {}
        vbe::CommandBar *Item(std::string_view name) override
        {
            const auto it = m_owner.bars.find(std::string(name));
            return it == m_owner.bars.end() ? nullptr : it->second.get();
        }
        FakeVbe &m_owner;
    };

    explicit FakeVbe(Clipboard &clipboard) : clipboard(clipboard) {}

    vbe::CommandBars &commandBars() override { return m_bars; }
    vbe::Events &events() override { return m_events; }
    vbe::CodePane *ActiveCodePane() override { return activePane; }

    Bar &addBar(const std::string &name)
    {
        auto &bar = bars[name];
        bar = std::make_unique<Bar>(*this, name);
        return *bar;
    }
    // Fires the click of control at every live subscription to it; returns
    // how many handlers ran.
    int click(vbe::CommandBarControl &control)
    {
        int ran = 0;
        const auto subscribers = m_subscriptions; // a handler may subscribe
        for (Subscription *s : subscribers) {
            if (s->control == &control && s->handler) {
                vbe::ClickEvent event{&control};
                s->handler(event);
                ++ran;
            }
        }
        return ran;
    }
    int subscriptionCount() const { return static_cast<int>(m_subscriptions.size()); }

    Clipboard &clipboard;
    std::map<std::string, std::unique_ptr<Bar>> bars;
    Pane *activePane = nullptr;

private:
    void remove(Control *control)
    {
        control->deleted = true;
        for (auto &[name, bar] : bars)
            std::erase(bar->controls, control);
    }

    Bars m_bars{*this};
    EventsImpl m_events{*this};
    std::vector<std::unique_ptr<Control>> m_allControls;
    std::vector<Subscription *> m_subscriptions;
};

} // namespace quorbel::testing
