#pragma once

#include <QtGlobal>

namespace quorbel {

class Clipboard;
class Clock;
class ControlHost;

// The code box values held once per process: every code box made with the
// same object reports and uses the same colours and flags. The add-in
// library owns one and hands it to each code box it creates.
struct CodeBoxShared {
    bool Color_Auto = true;
    qint32 Color_Text = 0;
    qint32 Color_Comment = 32768;
    qint32 Color_IDWords = 3177654;
    qint32 Color_KeyWords = 9307165;
    bool Font_Large = true;
};

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
