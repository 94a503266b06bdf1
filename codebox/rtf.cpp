#include "codebox/rtf.h"

#include "codebox/codepage.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <string_view>

namespace quorbel {

// ---------------------------------------------------------------- writer

namespace {

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

void writeText(QString &out, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isLineBreak(c)) {
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            out += QLatin1String("\\par\r\n");
        } else if (c == u'\\' || c == u'{' || c == u'}') {
            out += u'\\';
            out += c;
        } else if (c == u'\t') {
            out += QLatin1String("\\tab ");
        } else if (c.unicode() >= 0x20 && c.unicode() < 0x7F) {
            out += c;
        } else {
            // \u takes a signed 16-bit number; the fallback is what a reader
            // without Unicode support shows.
            out += QLatin1String("\\u") + QString::number(static_cast<qint16>(c.unicode()));
            const unsigned char b = cp1252Byte(c);
            if (b >= 0x80)
                out += QLatin1String("\\'") + QString::number(b, 16).rightJustified(2, u'0');
            else
                out += u'?';
        }
    }
}

QString escapedFontName(const QString &name)
{
    QString out;
    for (QChar c : name) {
        if (c == u';' || c == u'{' || c == u'}' || c == u'\\' || c.unicode() < 0x20)
            continue;
        out += c;
    }
    QString written;
    writeText(written, out);
    return written;
}

qint32 writableColour(qint32 colour)
{
    return colour >= 0 && colour <= 0xFFFFFF ? colour : RtfRun::autoColour;
}

} // namespace

QString writeRtf(const std::vector<RtfRun> &runs, const QString &fontName, int fontSizeHalfPoints)
{
    std::vector<qint32> table;
    QHash<qint32, int> indexOf;
    for (const RtfRun &run : runs) {
        const qint32 colour = writableColour(run.colour);
        if (colour != RtfRun::autoColour && !indexOf.contains(colour)) {
            table.push_back(colour);
            indexOf.insert(colour, int(table.size()));
        }
    }

    QString out = QLatin1String("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern\\fcharset0 ") +
                  escapedFontName(fontName) + QLatin1String(";}}\r\n{\\colortbl ;");
    for (qint32 colour : table) {
        out += QLatin1String("\\red") + QString::number(colour & 0xFF) + QLatin1String("\\green") +
               QString::number((colour >> 8) & 0xFF) + QLatin1String("\\blue") +
               QString::number((colour >> 16) & 0xFF) + u';';
    }
    out +=
        QLatin1String("}\r\n\\viewkind4\\uc1\\pard\\f0\\fs") + QString::number(std::max(1, fontSizeHalfPoints)) + u' ';

    int current = 0;
    for (const RtfRun &run : runs) {
        if (run.text.isEmpty())
            continue;
        const qint32 colour = writableColour(run.colour);
        const int index = colour == RtfRun::autoColour ? 0 : indexOf.value(colour);
        if (index != current) {
            out += QLatin1String("\\cf") + QString::number(index) + u' ';
            current = index;
        }
        writeText(out, run.text);
    }
    out += QLatin1String("}\r\n");
    return out;
}

QString rtfPlainText(const std::vector<RtfRun> &runs)
{
    QString text;
    for (const RtfRun &run : runs)
        text += run.text;
    return text;
}

// ---------------------------------------------------------------- reader

namespace {

enum class Destination { Text, Skip, FontTable, ColourTable };

struct GroupState {
    Destination destination = Destination::Text;
    int colourIndex = 0;
    int unicodeSkip = 1; // \ucN: fallback characters after each \uN
    int font = -1;
};

// Groups nested deeper than this share the state of the deepest one; a
// document needs far fewer, and the bound keeps hostile input from using
// memory in proportion to its braces.
constexpr std::size_t maxSavedGroups = 1024;

// Destinations whose content is not document text.
bool isSkippedDestination(std::u16string_view word)
{
    static constexpr std::array<std::u16string_view, 40> words = {
        u"stylesheet",
        u"info",
        u"pict",
        u"object",
        u"objdata",
        u"header",
        u"headerl",
        u"headerr",
        u"headerf",
        u"footer",
        u"footerl",
        u"footerr",
        u"footerf",
        u"footnote",
        u"annotation",
        u"fldinst",
        u"listtable",
        u"listoverridetable",
        u"revtbl",
        u"rsidtbl",
        u"pntext",
        u"pntxta",
        u"pntxtb",
        u"xe",
        u"tc",
        u"bkmkstart",
        u"bkmkend",
        u"nonshppict",
        u"shpinst",
        u"themedata",
        u"colorschememapping",
        u"latentstyles",
        u"datastore",
        u"xmlnstbl",
        u"generator",
        u"pgdsctbl",
        u"template",
        u"filetbl",
        u"atnid",
        u"atnauthor",
    };
    return std::find(words.begin(), words.end(), word) != words.end();
}

// A control word that stands for one character, or 0.
char16_t symbolOf(std::u16string_view word)
{
    struct Symbol {
        std::u16string_view word;
        char16_t ch;
    };
    static constexpr std::array<Symbol, 12> symbols = {{
        {u"tab", u'\t'},
        {u"cell", u'\t'},
        {u"nestcell", u'\t'},
        {u"emdash", 0x2014},
        {u"endash", 0x2013},
        {u"bullet", 0x2022},
        {u"lquote", 0x2018},
        {u"rquote", 0x2019},
        {u"ldblquote", 0x201C},
        {u"rdblquote", 0x201D},
        {u"emspace", u' '},
        {u"enspace", u' '},
    }};
    for (const Symbol &s : symbols) {
        if (s.word == word)
            return s.ch;
    }
    return 0;
}

bool isParagraphBreak(std::u16string_view word)
{
    return word == u"par" || word == u"line" || word == u"sect" || word == u"row" || word == u"nestrow";
}

class Reader {
public:
    Reader(const QChar *data, qsizetype size, bool bytesInCodePage)
        : m_data(data), m_size(size), m_bytesInCodePage(bytesInCodePage)
    {
    }

    std::vector<RtfRun> read();

private:
    void openGroup();
    void closeGroup();
    void controlWord();
    void controlSymbol(QChar c);
    void applyWord(std::u16string_view word, bool hasParameter, int parameter);
    void character(QChar c);
    void byte(unsigned char b);
    void flushBytes();
    void output(const QString &text);
    bool consumeFallback();
    int codePage() const;
    qint32 colourOf(int index) const;

    const QChar *m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    bool m_bytesInCodePage;

    GroupState m_state;
    std::vector<GroupState> m_saved;
    std::size_t m_unsavedDepth = 0; // groups opened beyond maxSavedGroups
    bool m_started = false;
    bool m_outermostClosed = false;
    qsizetype m_groupStart = -1; // position just after the last '{'
    int m_fallbackLeft = 0;

    int m_documentCodePage = 1252;
    int m_defaultFont = -1;
    QHash<int, int> m_fontCodePages;
    int m_tableFont = -1;

    std::vector<qint32> m_colours;
    bool m_entryHasColour = false;
    std::array<int, 3> m_entry = {0, 0, 0};

    QByteArray m_bytes;
    std::vector<RtfRun> m_runs;
};

std::vector<RtfRun> Reader::read()
{
    while (m_pos < m_size) {
        const QChar c = m_data[m_pos++];
        if (c == u'{') {
            openGroup();
        } else if (c == u'}') {
            closeGroup();
            // Whatever follows the document's outermost group is not part
            // of the document.
            if (m_outermostClosed)
                break;
        } else if (c == u'\\') {
            if (m_pos >= m_size)
                break;
            const QChar next = m_data[m_pos];
            if (next.isLetter() && next.unicode() < 0x80)
                controlWord();
            else
                controlSymbol(m_data[m_pos++]);
        } else if (c == u'\r' || c == u'\n') {
            // Line breaks of the RTF source are not text.
        } else {
            character(c);
        }
    }
    flushBytes();
    return std::move(m_runs);
}

void Reader::openGroup()
{
    flushBytes();
    m_fallbackLeft = 0;
    m_groupStart = m_pos;
    if (!m_started) {
        m_started = true;
        return; // the document's own group: its state is the base state
    }
    if (m_saved.size() < maxSavedGroups)
        m_saved.push_back(m_state);
    else
        ++m_unsavedDepth;
}

void Reader::closeGroup()
{
    flushBytes();
    m_fallbackLeft = 0;
    if (m_state.destination == Destination::FontTable)
        m_tableFont = -1;
    if (m_unsavedDepth > 0) {
        --m_unsavedDepth;
    } else if (!m_saved.empty()) {
        m_state = m_saved.back();
        m_saved.pop_back();
    } else if (m_started) {
        m_outermostClosed = true;
    }
}

void Reader::controlWord()
{
    const qsizetype start = m_pos;
    while (m_pos < m_size && m_data[m_pos].unicode() < 0x80 && m_data[m_pos].isLetter())
        ++m_pos;
    const std::u16string_view word(reinterpret_cast<const char16_t *>(m_data + start),
                                   static_cast<std::size_t>(m_pos - start));
    bool negative = false;
    if (m_pos < m_size && m_data[m_pos] == u'-' && m_pos + 1 < m_size && m_data[m_pos + 1].isDigit() &&
        m_data[m_pos + 1].unicode() < 0x80) {
        negative = true;
        ++m_pos;
    }
    bool hasParameter = false;
    long long value = 0;
    while (m_pos < m_size && m_data[m_pos].unicode() >= u'0' && m_data[m_pos].unicode() <= u'9') {
        hasParameter = true;
        value = std::min<long long>(value * 10 + (m_data[m_pos].unicode() - u'0'), 0x7FFFFFFF);
        ++m_pos;
    }
    if (m_pos < m_size && m_data[m_pos] == u' ')
        ++m_pos;
    const int parameter = static_cast<int>(negative ? -value : value);

    if (word == u"bin") {
        // Binary data follows: it is never text, whatever it holds.
        flushBytes();
        m_pos += std::min<qsizetype>(std::max(parameter, 0), m_size - m_pos);
        return;
    }
    if (consumeFallback())
        return;
    applyWord(word, hasParameter, parameter);
}

void Reader::controlSymbol(QChar c)
{
    if (c == u'\'') {
        int value = 0;
        int digits = 0;
        while (digits < 2 && m_pos < m_size) {
            const char16_t u = m_data[m_pos].unicode();
            int hex = -1;
            if (u >= u'0' && u <= u'9')
                hex = u - u'0';
            else if (u >= u'a' && u <= u'f')
                hex = u - u'a' + 10;
            else if (u >= u'A' && u <= u'F')
                hex = u - u'A' + 10;
            if (hex < 0)
                break;
            value = value * 16 + hex;
            ++digits;
            ++m_pos;
        }
        if (digits == 0)
            return;
        if (consumeFallback())
            return;
        byte(static_cast<unsigned char>(value));
        return;
    }
    if (c == u'*') {
        // {\*\word ...}: a destination that a reader may skip when it does
        // not know it; this reader knows none of them.
        if (m_pos - 2 == m_groupStart)
            m_state.destination = Destination::Skip;
        return;
    }
    if (consumeFallback())
        return;
    switch (c.unicode()) {
    case u'\\':
    case u'{':
    case u'}':
        output(QString(c));
        break;
    case u'~':
        output(QString(QChar(0x00A0)));
        break;
    case u'_':
        output(QStringLiteral("-"));
        break;
    case u'\r':
    case u'\n':
        output(QStringLiteral("\r\n"));
        break;
    default:
        break; // \- optional hyphen, \: index entry, \| formula, unknown symbols
    }
}

void Reader::applyWord(std::u16string_view word, bool hasParameter, int parameter)
{
    if (word == u"fonttbl") {
        flushBytes();
        m_state.destination = Destination::FontTable;
        return;
    }
    if (word == u"colortbl") {
        flushBytes();
        m_state.destination = Destination::ColourTable;
        m_entryHasColour = false;
        m_entry = {0, 0, 0};
        return;
    }
    if (isSkippedDestination(word)) {
        flushBytes();
        m_state.destination = Destination::Skip;
        return;
    }
    if (word == u"ansicpg" && hasParameter && parameter > 0) {
        m_documentCodePage = parameter;
        return;
    }
    if (word == u"mac" || word == u"pc" || word == u"pca") {
        m_documentCodePage = word == u"mac" ? 10000 : word == u"pc" ? 437 : 850;
        return;
    }
    if (word == u"deff" && hasParameter) {
        m_defaultFont = parameter;
        return;
    }
    switch (m_state.destination) {
    case Destination::Skip:
        return;
    case Destination::FontTable:
        if (word == u"f" && hasParameter)
            m_tableFont = parameter;
        else if (word == u"fcharset" && m_tableFont >= 0) {
            const int codePage = codePageOfCharset(parameter);
            if (codePage > 0)
                m_fontCodePages.insert(m_tableFont, codePage);
        } else if (word == u"cpg" && m_tableFont >= 0 && parameter > 0)
            m_fontCodePages.insert(m_tableFont, parameter);
        return;
    case Destination::ColourTable:
        if (word == u"red" || word == u"green" || word == u"blue") {
            const int component = word == u"red" ? 0 : word == u"green" ? 1 : 2;
            m_entry[component] = std::clamp(parameter, 0, 255);
            m_entryHasColour = true;
        }
        return;
    case Destination::Text:
        break;
    }

    if (isParagraphBreak(word)) {
        output(QStringLiteral("\r\n"));
    } else if (const char16_t ch = symbolOf(word)) {
        output(QString(QChar(ch)));
    } else if (word == u"u" && hasParameter) {
        output(QString(QChar(static_cast<char16_t>(parameter & 0xFFFF))));
        m_fallbackLeft = m_state.unicodeSkip;
    } else if (word == u"uc" && hasParameter) {
        m_state.unicodeSkip = std::clamp(parameter, 0, 16);
    } else if (word == u"cf") {
        flushBytes();
        m_state.colourIndex = hasParameter ? parameter : 0;
    } else if (word == u"plain") {
        flushBytes();
        m_state.colourIndex = 0;
        m_state.font = -1;
    } else if (word == u"f" && hasParameter) {
        flushBytes();
        m_state.font = parameter;
    }
}

void Reader::character(QChar c)
{
    if (consumeFallback())
        return;
    if (m_bytesInCodePage && c.unicode() >= 0x80 && c.unicode() <= 0xFF) {
        byte(static_cast<unsigned char>(c.unicode()));
        return;
    }
    switch (m_state.destination) {
    case Destination::Text:
        if (c == u'\t')
            output(QStringLiteral("\t"));
        else if (c.unicode() >= 0x20)
            output(QString(c));
        return;
    case Destination::ColourTable:
        if (c == u';') {
            m_colours.push_back(m_entryHasColour ? m_entry[0] | (m_entry[1] << 8) | (m_entry[2] << 16)
                                                 : RtfRun::autoColour);
            m_entryHasColour = false;
            m_entry = {0, 0, 0};
        }
        return;
    case Destination::FontTable:
    case Destination::Skip:
        return;
    }
}

void Reader::byte(unsigned char b)
{
    if (m_state.destination == Destination::Text)
        m_bytes.append(static_cast<char>(b));
}

void Reader::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    const QByteArray bytes = std::exchange(m_bytes, QByteArray());
    output(decodeCodePage(bytes, codePage()));
}

// Characters that follow \uN as its fallback for older readers are dropped.
bool Reader::consumeFallback()
{
    if (m_fallbackLeft <= 0)
        return false;
    --m_fallbackLeft;
    return true;
}

int Reader::codePage() const
{
    const int font = m_state.font >= 0 ? m_state.font : m_defaultFont;
    return m_fontCodePages.value(font, m_documentCodePage);
}

qint32 Reader::colourOf(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_colours.size())
        return RtfRun::autoColour;
    return m_colours[static_cast<std::size_t>(index)];
}

void Reader::output(const QString &text)
{
    if (m_state.destination != Destination::Text || text.isEmpty())
        return;
    if (!m_bytes.isEmpty())
        flushBytes();
    const qint32 colour = colourOf(m_state.colourIndex);
    if (!m_runs.empty() && m_runs.back().colour == colour)
        m_runs.back().text += text;
    else
        m_runs.push_back({text, colour});
}

} // namespace

std::vector<RtfRun> readRtf(const QString &rtf)
{
    return Reader(rtf.constData(), rtf.size(), false).read();
}

std::vector<RtfRun> readRtf(const QByteArray &rtf)
{
    const QString text = QString::fromLatin1(rtf);
    return Reader(text.constData(), text.size(), true).read();
}

} // namespace quorbel
