#include "engine/plaintextbox.h"

#include "engine/bytescan.h"
#include "platform/hugepages.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <stdexcept>

namespace quorbel {

PlainTextBox::PlainTextBox()
{
    indexLines();
}

PlainTextBox::PlainTextBox(std::string_view text)
{
    setText(text);
}

PlainTextBox::PlainTextBox(std::string &&text)
{
    if (text.size() > static_cast<std::size_t>(INT_MAX))
        throw std::length_error("text too long for a text box");
    m_text = std::move(text);
    adviseHugePages(m_text.data(), m_text.capacity());
    indexLines();
}

std::string PlainTextBox::text() const
{
    return m_text;
}

void PlainTextBox::setText(std::string_view text)
{
    if (text.size() > static_cast<std::size_t>(INT_MAX))
        throw std::length_error("text too long for a text box");
    m_text.reserve(text.size());
    adviseHugePages(m_text.data(), m_text.capacity());
    m_text.assign(text);
    m_selStart = 0;
    m_selLength = 0;
    indexLines();
}

std::string PlainTextBox::selText() const
{
    return m_text.substr(static_cast<std::size_t>(m_selStart), static_cast<std::size_t>(m_selLength));
}

void PlainTextBox::readSelText(std::string &out) const
{
    out.assign(m_text, static_cast<std::size_t>(m_selStart), static_cast<std::size_t>(m_selLength));
}

void PlainTextBox::setSelText(std::string_view text)
{
    if (text.size() > static_cast<std::size_t>(INT_MAX - (length() - m_selLength)))
        throw std::length_error("text too long for a text box");
    m_text.replace(static_cast<std::size_t>(m_selStart), static_cast<std::size_t>(m_selLength), text);
    m_selStart += static_cast<int>(text.size());
    m_selLength = 0;
    indexLines();
}

int PlainTextBox::selStart() const
{
    return m_selStart;
}

void PlainTextBox::setSelStart(int position)
{
    m_selStart = clamp(position);
    m_selLength = 0;
}

int PlainTextBox::selLength() const
{
    return m_selLength;
}

void PlainTextBox::setSelLength(int length)
{
    m_selLength = std::clamp(length, 0, this->length() - m_selStart);
}

int PlainTextBox::lineCount() const
{
    return static_cast<int>(m_lineStarts.size());
}

int PlainTextBox::lineIndex(int line) const
{
    if (line == -1)
        line = lineFromChar(-1);
    if (line < 0 || line >= lineCount())
        return -1;
    return m_lineStarts[static_cast<std::size_t>(line)];
}

int PlainTextBox::lineFromChar(int index) const
{
    if (index < 0)
        index = m_selStart;
    // The line holding index is the last one that starts at or before it;
    // the second byte of a CR LF belongs to the line the pair ends.
    const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), index);
    return static_cast<int>(after - m_lineStarts.begin()) - 1;
}

void PlainTextBox::setSel(int start, int end)
{
    if (start < 0) {
        m_selLength = 0;
        return;
    }
    start = clamp(start);
    end = end < 0 ? length() : clamp(end);
    if (start > end)
        std::swap(start, end);
    m_selStart = start;
    m_selLength = end - start;
}

void PlainTextBox::selectLine(int line, std::string &out)
{
    // The line table answers directly; only the read stays a virtual call,
    // so a box that reads differently still reads its own way.
    if (line >= 0 && line < lineCount()) {
        const auto index = static_cast<std::size_t>(line);
        m_selStart = m_lineStarts[index];
        m_selLength = (index + 1 < m_lineStarts.size() ? m_lineStarts[index + 1] : length()) - m_selStart;
    } else {
        PlainTextBox::setSel(PlainTextBox::lineIndex(line), PlainTextBox::lineIndex(line + 1));
    }
    readSelText(out);
}

bool PlainTextBox::isEmpty() const
{
    return m_text.empty();
}

void PlainTextBox::appendText(std::string_view text)
{
    if (text.size() > static_cast<std::size_t>(INT_MAX - length()))
        throw std::length_error("text too long for a text box");
    const std::size_t oldSize = m_text.size();
    m_text.append(text);
    m_selStart = 0;
    m_selLength = 0;
    // A CR LF can straddle the old end: look from its last byte on.
    indexLines(oldSize > 0 ? oldSize - 1 : 0);
}

void PlainTextBox::indexLines(std::size_t from)
{
    // Line starts up to from stay; the later ones are found again.
    if (from == 0) {
        m_lineStarts.clear();
        m_lineStarts.push_back(0);
    } else {
        while (m_lineStarts.size() > 1 && static_cast<std::size_t>(m_lineStarts.back()) > from)
            m_lineStarts.pop_back();
    }
    if (from == 0)
        m_lineStarts.reserve(m_text.size() / 24 + 16); // lines of real code are longer
    const std::string_view text = m_text;
    scanBytes(text.substr(from), '\n', '\n', [&](std::size_t i) {
        const std::size_t lf = from + i;
        if (lf > 0 && text[lf - 1] == '\r')
            m_lineStarts.push_back(static_cast<int>(lf + 1));
        return true;
    });
}

int PlainTextBox::length() const
{
    return static_cast<int>(m_text.size());
}

int PlainTextBox::clamp(int position) const
{
    return std::clamp(position, 0, length());
}

} // namespace quorbel
