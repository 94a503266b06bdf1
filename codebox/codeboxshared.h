#pragma once

#include "engine/processstate.h"

#include <functional>
#include <memory>

namespace quorbel {

class Clipboard;
class Clock;
class ControlHost;
class MessageBoxes;
class PrinterChooser;

// CodeBoxShared (engine/processstate.h): the code box values held once per
// process. The add-in library's ProcessState owns one and hands it to each
// code box it creates.

// What a code box is given when it is made. shared, clipboard and clock must
// outlive the box. host may be null: the box then behaves as at run time,
// notifies nobody and takes the application font as the ambient font.
// messages shows the file operations' errors (without it they pass to the
// caller). printers chooses the printer of each print (without it: Qt's
// print dialog, or a PDF file in the home folder where the system has no
// printer). aboutBox shows the About box modally (without it AboutBox does
// nothing).
struct CodeBoxServices {
    CodeBoxShared &shared;
    Clipboard &clipboard;
    Clock &clock;
    ControlHost *host = nullptr;
    MessageBoxes *messages = nullptr;
    PrinterChooser *printers = nullptr;
    std::function<void()> aboutBox = {};
};

} // namespace quorbel
