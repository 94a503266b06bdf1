#pragma once

#include "codebox/codeboxshared.h"
#include "codebox/richtextbox.h"
#include "codebox/vbcodebox.h"
#include "controlhost/controlhost.h"
#include "platform/clock.h"
#include "platform/qt/clipboard.h"
#include "probar/probar.h"
#include "tests/codebox/qstringprinter.h"
#include "tests/support/memoryclipboard.h"
#include "tests/support/recordingcontrolhost.h"

#include <QColor>
#include <QList>

#include <memory>

namespace quorbel::testing {

// A clock that answers from a script: each reading takes the next value,
// the last one repeats.
class ScriptedClock : public Clock {
public:
    QList<double> readings{0.0};

    double secondsSinceMidnight() const override
    {
        const double value = readings.value(m_next, readings.last());
        if (m_next < readings.size())
            ++m_next;
        return value;
    }
    std::string shortDate() const override { return "1/2/2003"; }

private:
    mutable qsizetype m_next = 0;
};

// The seams of one code box (or several sharing one CodeBoxShared), and the
// box made from them, shown at 640 x 480 pixels.
struct CodeBoxFixture {
    CodeBoxShared shared;
    MemoryClipboard clipboard;
    ScriptedClock clock;
    RecordingControlHost host;

    std::unique_ptr<VBCodeBox> makeBox()
    {
        auto box = std::make_unique<VBCodeBox>(CodeBoxServices{shared, clipboard, clock, &host});
        box->resize(640, 480);
        box->show();
        return box;
    }
};

// Colour value (red in the low byte) of a character of the box: the colour
// of the one-character selection at position (0-based, line breaks count
// two). The caret and selection are left changed.
inline qint32 colourAt(RichTextBox &box, int position)
{
    box.setSel(position, position + 1);
    return box.SelColor();
}

} // namespace quorbel::testing
