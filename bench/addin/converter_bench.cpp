// How long the converter window takes from Open of a large real module to a
// window that shows the module coloured and answers the next event: the
// file is chosen in the (scripted) open dialog, read, put into the code box
// and coloured, and the events that follow (the drawing of the window among
// them) are processed. Runs offscreen.
#include "addin/frmaddin.h"
#include "codebox/richtextbox.h"
#include "codebox/vbcodebox.h"
#include "engine/processstate.h"
#include "engine/settings.h"
#include "platform/settings/memorysettingsstore.h"
#include "tests/support/fixedclock.h"
#include "tests/support/memoryclipboard.h"
#include "tests/support/recordingmessageboxes.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/scriptedprinterchooser.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPointer>

namespace {

using namespace quorbel;
using namespace quorbel::testing;

const std::string kProtocolBas = QUORBEL_CORPUS_DIR "/ao-libre__ao-server/Codigo/Protocol.bas";

// The seams of one converter window; nothing is printed or shown outside.
struct Converter {
    MemorySettingsStore settings;
    RecordingMessageBoxes messages;
    ScriptedFileDialogs dialogs;
    RecordingShell shell;
    FixedClock clock;
    MemoryClipboard clipboard;
    ScriptedPrinterChooser printers{QDir::temp().filePath(QStringLiteral("quorbel-converter-bench.pdf"))};
    ProcessState process;
    QPointer<frmAddin> window;

    Converter()
    {
        window = new frmAddin({settings, messages, dialogs, shell, clock, clipboard, printers, process});
        window->show();
        QApplication::processEvents();
        // Showing the window without an environment says there is no code
        // window; only the messages of the Opens count.
        messages.calls.clear();
    }
    ~Converter() { delete window.data(); }
};

void BM_OpenProtocolBas(benchmark::State &state)
{
    Converter c;
    if (c.window->chkAutoColor().checkState() != Qt::Checked)
        state.SkipWithError("Auto Color Code is off");
    for (auto _ : state) {
        state.PauseTiming();
        c.window->txtsource().setText(QString());
        QApplication::processEvents();
        c.dialogs.answers.push_back(kProtocolBas);
        state.ResumeTiming();
        c.window->mnuOpen_Click();
        // Drawing and whatever else the Open left queued.
        QApplication::processEvents();
    }
    state.counters["lines"] = c.window->txtsource().RTB1().lineCount();
    if (!c.messages.calls.empty())
        state.SkipWithError(c.messages.calls.front().text.c_str());
}
BENCHMARK(BM_OpenProtocolBas)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
