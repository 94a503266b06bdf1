#pragma once

#include "engine/processstate.h"

namespace quorbel {

class Clipboard;
class Clock;
class ControlHost;

// CodeBoxShared (engine/processstate.h): the code box values held once per
// process. The add-in library's ProcessState owns one and hands it to each
// code box it creates.

// What a code box is given when it is made. shared, clipboard and clock must
// outlive the box. host may be null: the box then behaves as at run time,
// notifies nobody and takes the application font as the ambient font.
struct CodeBoxServices {
    CodeBoxShared &shared;
    Clipboard &clipboard;
    Clock &clock;
    ControlHost *host = nullptr;
};

} // namespace quorbel
