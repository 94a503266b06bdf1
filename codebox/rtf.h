#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <vector>

namespace quorbel {

// One stretch of text in one colour.
struct RtfRun {
    // Colour of a run that has none of its own: the reader of the text shows
    // it in its default text colour (RTF's \cf0).
    static constexpr qint32 autoColour = -1;

    // The text; a line break is CR LF (the writer also takes a lone LF, a
    // lone CR or U+2029 as a line break).
    QString text;
    // Colour value (red + 256 * green + 65536 * blue) or autoColour.
    qint32 colour = autoColour;

    friend bool operator==(const RtfRun &, const RtfRun &) = default;
};

// Rich text of the runs: a 7-bit RTF document with a font table of one font,
// a colour table of the runs' colours (in order of first use), one \cfN per
// colour change, \par for every line break, \tab for a tab, and \uN with an
// ANSI fallback (\'hh or "?") for every character outside ASCII. Colours
// outside 0..16777215 other than autoColour are written as autoColour.
// fontSizeHalfPoints is the \fs value (20 is 10 points).
QString writeRtf(const std::vector<RtfRun> &runs, const QString &fontName, int fontSizeHalfPoints = 20);

// The text and colours of an RTF document, as runs: adjacent runs differ in
// colour and no run is empty. A paragraph or line break (\par, \line, \sect,
// \row) becomes CR LF, \tab a tab, \'hh a character of the document's code
// page (\ansicpg, else the charset of the current font, else Windows-1252),
// \uN a UTF-16 unit (skipping the \ucN fallback characters that follow).
// Destinations that hold no document text (font, colour and style tables,
// \info, pictures, objects, headers, footnotes, field instructions, every
// {\*\...} group) are skipped, as is every control word not understood.
// Braces nest without limit in the input; unbalanced braces and truncated
// input end the text without an error. Never throws for any input.
//
// The QString form takes characters literally (an 8-bit character outside a
// \'hh escape is that Unicode character); the QByteArray form decodes 8-bit
// bytes in the document's code page, as other programs put RTF on a clipboard.
std::vector<RtfRun> readRtf(const QString &rtf);
std::vector<RtfRun> readRtf(const QByteArray &rtf);

// The runs' texts one after the other.
QString rtfPlainText(const std::vector<RtfRun> &runs);

} // namespace quorbel
