// The code box's RTF reader for any bytes: runs as documented, and what the
// writer makes of them reads back the same.
#include "fuzz/checks/fuzzchecks.h"

#include "codebox/rtf.h"

namespace quorbel::fuzz {
namespace {

void require(bool holds, const std::string &property)
{
    if (!holds)
        throw PropertyViolation(property);
}

void requireWellFormed(const std::vector<RtfRun> &runs, const char *form)
{
    for (std::size_t i = 0; i < runs.size(); ++i) {
        require(!runs[i].text.isEmpty(), std::string(form) + ": an empty run");
        require(i == 0 || runs[i].colour != runs[i - 1].colour,
                std::string(form) + ": neighbouring runs share a colour");
        require(runs[i].colour == RtfRun::autoColour || (runs[i].colour >= 0 && runs[i].colour <= 0xFFFFFF),
                std::string(form) + ": a colour out of range");
    }
}

} // namespace

void checkRtf(std::string_view bytes)
{
    const QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const std::vector<RtfRun> runs = readRtf(data);
    requireWellFormed(runs, "bytes");
    requireWellFormed(readRtf(QString::fromLatin1(data)), "text");

    // Written out and read again, the runs come back as they were, but for
    // a lone CR, a lone LF or U+2029 (from \'0d, \'0a, \u8233), which the
    // writer takes for a line break and so reads back as CR LF.
    const std::vector<RtfRun> again = readRtf(writeRtf(runs, QStringLiteral("Courier New")));
    std::vector<RtfRun> expected = runs;
    for (RtfRun &run : expected) {
        QString text;
        for (qsizetype i = 0; i < run.text.size(); ++i) {
            const QChar c = run.text[i];
            if (c == u'\r' && i + 1 < run.text.size() && run.text[i + 1] == u'\n') {
                text += QStringLiteral("\r\n");
                ++i;
            } else if (c == u'\r' || c == u'\n' || c == QChar(0x2029)) {
                text += QStringLiteral("\r\n");
            } else {
                text += c;
            }
        }
        run.text = text;
    }
    const auto codes = [](const QString &text) {
        std::string shown;
        for (const QChar c : text)
            shown += c.unicode() >= 0x20 && c.unicode() < 0x7F ? std::string(1, static_cast<char>(c.unicode()))
                                                               : "\\u" + std::to_string(c.unicode());
        return shown;
    };
    require(rtfPlainText(again) == rtfPlainText(expected), "the text changed through the writer: [" +
                                                               codes(rtfPlainText(expected)) + "] became [" +
                                                               codes(rtfPlainText(again)) + "]");
    require(again == expected, "the colours changed through the writer");
}

} // namespace quorbel::fuzz
