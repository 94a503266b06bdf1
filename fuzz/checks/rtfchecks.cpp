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

    // Written out and read again, the runs come back as they were.
    const std::vector<RtfRun> again = readRtf(writeRtf(runs, QStringLiteral("Courier New")));
    require(rtfPlainText(again) == rtfPlainText(runs), "the text changed through the writer");
    require(again == runs, "the colours changed through the writer");
}

} // namespace quorbel::fuzz
