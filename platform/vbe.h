#pragma once

// The development environment's object model as an add-in sees it: the root
// object VBE, its command bars and their controls, the click events of a
// control, the active code pane, and the connection interface an add-in
// implements. The host implements these classes; the add-in library calls
// them. Both sides are built by the same compiler from this one header, so
// standard library types may cross between them; exceptions never do (see
// addin entry points).
//
// Members whose name in the environment is also a class name here take
// that name in lower camel case (commandBars(), events(), window(),
// codeModule(), commandBarEvents()).
//
// Errors of the environment (an index out of range, a face pasted from an
// empty clipboard) are thrown as VbeError to the add-in's own code, which
// traps them as its routines say.

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorbel::vbe {

class VbeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Control types of CommandBarControls::Add.
inline constexpr int kControlButton = 1;

// One entry of a command bar.
class CommandBarControl {
public:
    virtual ~CommandBarControl() = default;
    virtual bool BeginGroup() const = 0;
    virtual void setBeginGroup(bool begins) = 0;
    virtual std::string Caption() const = 0;
    virtual void setCaption(std::string_view caption) = 0;
    virtual std::string OnAction() const = 0;
    virtual void setOnAction(std::string_view action) = 0;
    // Copies the picture on the clipboard onto the control's face. Throws
    // VbeError when the clipboard holds no picture.
    virtual void PasteFace() = 0;
    // Removes the control from its bar. The object stays valid until the
    // bar's owner drops it, but belongs to no bar any more.
    virtual void Delete() = 0;
};

// The controls of one bar, numbered from 1.
class CommandBarControls {
public:
    virtual ~CommandBarControls() = default;
    virtual int Count() const = 0;
    // The control at a 1-based index. Throws VbeError outside 1..Count().
    virtual CommandBarControl &Item(int index) = 0;
    // Adds a control of the given type at the end of the bar and returns it.
    // Throws VbeError for a type the bar cannot hold.
    virtual CommandBarControl &Add(int type) = 0;
};

class CommandBar {
public:
    virtual ~CommandBar() = default;
    virtual std::string Name() const = 0;
    virtual CommandBarControls &Controls() = 0;
};

class CommandBars {
public:
    virtual ~CommandBars() = default;
    // The bar of that name (the environment's names, e.g. "Add-Ins"); null
    // when there is none.
    virtual CommandBar *Item(std::string_view name) = 0;
};

// What a click on a command bar control carries. A handler may set handled
// and cancelDefault, as the environment's own handlers do.
struct ClickEvent {
    CommandBarControl *control = nullptr;
    bool handled = false;
    bool cancelDefault = false;
};

// The click events of one control. Clicks reach the handler for as long as
// this object lives; destroying it ends the subscription.
class CommandBarEvents {
public:
    virtual ~CommandBarEvents() = default;
    virtual void setClickHandler(std::function<void(ClickEvent &)> handler) = 0;
};

class Events {
public:
    virtual ~Events() = default;
    // The click event source of control. Throws VbeError when control is
    // null (no control).
    virtual std::unique_ptr<CommandBarEvents> commandBarEvents(CommandBarControl *control) = 0;
};

class Window {
public:
    virtual ~Window() = default;
    // The window's title, e.g. "Project1 - Module1 (Code)".
    virtual std::string Caption() const = 0;
};

class CodeModule {
public:
    virtual ~CodeModule() = default;
    virtual int CountOfLines() const = 0;
    // count lines from the 1-based line first, joined with CR LF (no break
    // after the last). Throws VbeError for a range outside the module.
    virtual std::string Lines(int first, int count) const = 0;
};

class CodePane {
public:
    virtual ~CodePane() = default;
    virtual Window &window() = 0;
    virtual CodeModule &codeModule() = 0;
};

// The root object.
class VBE {
public:
    virtual ~VBE() = default;
    virtual CommandBars &commandBars() = 0;
    virtual Events &events() = 0;
    // The code pane that has the focus; null when no code window is open.
    virtual CodePane *ActiveCodePane() = 0;
};

// How an add-in came to be connected.
enum ConnectMode : std::int32_t {
    ConnectAfterStartup = 0, // from the add-in manager
    ConnectStartup = 1,      // loaded with the environment
    ConnectExternal = 2,     // connected by an outside program
    ConnectCommandLine = 3,
};

// The connection interface an add-in's connection object implements.
class AddInConnection {
public:
    virtual ~AddInConnection() = default;
    // application outlives the connection: the environment disconnects every
    // add-in before it goes.
    virtual void OnConnection(VBE &application, std::int32_t connectMode) = 0;
    virtual void OnDisconnection(std::int32_t removeMode) = 0;
};

} // namespace quorbel::vbe
