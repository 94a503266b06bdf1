#include "codebox/rtf.h"

namespace quorbel {

QString writeRtf(const std::vector<RtfRun> &, const QString &, int) { return {}; }
std::vector<RtfRun> readRtf(const QString &) { return {}; }
std::vector<RtfRun> readRtf(const QByteArray &) { return {}; }
QString rtfPlainText(const std::vector<RtfRun> &runs)
{
    QString text;
    for (const RtfRun &run : runs)
        text += run.text;
    return text;
}

} // namespace quorbel
