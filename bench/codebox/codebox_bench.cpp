// How long the code box takes to colour: a large real module, a module of
// the largest size VB6 allows, the line left by Enter in such a module, and
// a paste of 10,000 lines. Runs offscreen.
#include "codebox/codeboxshared.h"
#include "codebox/codecolouring.h"
#include "codebox/richtextbox.h"
#include "codebox/vbcodebox.h"
#include "platform/clock.h"
#include "platform/qt/clipboard.h"
#include "tests/support/memoryclipboard.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QStringList>

#include <chrono>
#include <memory>

namespace {

using namespace quorbel;

class SteadyClock : public Clock {
public:
    double secondsSinceMidnight() const override
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    }
    std::string shortDate() const override { return {}; }
};

const QString &protocolSource()
{
    static const QString text = [] {
        QFile file(QStringLiteral(QUORBEL_CORPUS_DIR "/ao-libre__ao-server/Codigo/Protocol.bas"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(file.fileName()));
        return QString::fromUtf8(file.readAll());
    }();
    return text;
}

// count lines of real code, the corpus module's lines over and over, CR LF
// between them and none after the last.
QString moduleOfLines(int count)
{
    const QStringList source = protocolSource().split(u'\n');
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i) {
        QString line = source[i % source.size()];
        if (line.endsWith(u'\r'))
            line.chop(1);
        lines.append(line);
    }
    return lines.join(QStringLiteral("\r\n"));
}

struct Box {
    CodeBoxShared shared;
    MemoryClipboard clipboard;
    SteadyClock clock;
    std::unique_ptr<VBCodeBox> box;
    Box() : box(std::make_unique<VBCodeBox>(CodeBoxServices{shared, clipboard, clock, nullptr}))
    {
        box->resize(800, 600);
        box->show();
    }
};

void colourWholeText(benchmark::State &state, const QString &text)
{
    Box b;
    for (auto _ : state) {
        state.PauseTiming();
        b.box->setText(text);
        state.ResumeTiming();
        b.box->color();
    }
    state.counters["lines"] = b.box->RTB1().lineCount();
}

void BM_ColourProtocolBas(benchmark::State &state)
{
    colourWholeText(state, protocolSource());
}
BENCHMARK(BM_ColourProtocolBas)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Colour65534Lines(benchmark::State &state)
{
    colourWholeText(state, moduleOfLines(65534));
}
BENCHMARK(BM_Colour65534Lines)->Unit(benchmark::kMillisecond)->Iterations(2);

// Enter pressed at the end of a line in the middle of a 65,534-line module:
// the line break goes in, then the key's release colours the line it ended.
void BM_EnterIn65534Lines(benchmark::State &state)
{
    Box b;
    RichTextBox &rtb = b.box->RTB1();
    b.box->setText(moduleOfLines(65533));
    int line = 30000;
    for (auto _ : state) {
        state.PauseTiming();
        rtb.setSelStart(rtb.lineIndex(line + 1) - 2);
        rtb.setSelTextQ(QStringLiteral("\r\n"));
        state.ResumeTiming();
        b.box->autoColor(rtb, 13);
        line += 3;
    }
    state.counters["lines"] = rtb.lineCount();
}
BENCHMARK(BM_EnterIn65534Lines)->Unit(benchmark::kMicrosecond)->Iterations(200);

void BM_Paste10000Lines(benchmark::State &state)
{
    Box b;
    const QString text = moduleOfLines(10000);
    for (auto _ : state) {
        state.PauseTiming();
        b.box->setText(QString());
        state.ResumeTiming();
        b.box->PasteCode(text);
    }
    state.counters["lines"] = b.box->RTB1().lineCount();
}
BENCHMARK(BM_Paste10000Lines)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
