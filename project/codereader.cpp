#include "project/codereader.h"

#include "engine/asciicase.h"

namespace quorbel::project {

namespace {

bool isWordStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
}

bool isWordPart(char c)
{
    return isWordStart(c) || (c >= '0' && c <= '9') || c == '_';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view withoutTrailingBlanks(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The tokens of the code of line; sets comment when the line holds a
// comment, and commentText to it.
std::vector<Token> tokenize(std::string_view line, bool &comment, std::string_view &commentText)
{
    std::vector<Token> tokens;
    bool statementStart = true;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t') {
            ++i;
            continue;
        }
        const std::size_t from = i;
        if (c == '\'') {
            comment = true;
            commentText = line.substr(i);
            break;
        }
        if (c == '"') {
            ++i;
            while (i < line.size()) {
                if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"')
                    i += 2;
                else if (line[i++] == '"')
                    break;
            }
            tokens.push_back({TokenKind::String, from, i - from});
        } else if (isWordStart(c)) {
            while (i < line.size() && isWordPart(line[i]))
                ++i;
            // A type character ends a word only when no word goes on after it.
            if (i < line.size() && std::string_view("$%&!#@").find(line[i]) != std::string_view::npos &&
                (i + 1 >= line.size() || !isWordStart(line[i + 1])))
                ++i;
            const std::string_view word = line.substr(from, i - from);
            if (statementStart && equalsAsciiCaseBlind(word, "Rem") &&
                (i >= line.size() || line[i] == ' ' || line[i] == '\t')) {
                comment = true;
                commentText = line.substr(from);
                break;
            }
            tokens.push_back({TokenKind::Word, from, i - from});
        } else if (isDigit(c) || (c == '.' && i + 1 < line.size() && isDigit(line[i + 1]) &&
                                  (tokens.empty() || tokens.back().kind == TokenKind::Symbol))) {
            while (i < line.size() && (isWordPart(line[i]) || line[i] == '.'))
                ++i;
            tokens.push_back({TokenKind::Number, from, i - from});
        } else if (c == '&' && i + 1 < line.size() &&
                   (line[i + 1] == 'H' || line[i + 1] == 'h' || line[i + 1] == 'O' || line[i + 1] == 'o') &&
                   i + 2 < line.size() && (isDigit(line[i + 2]) || isWordStart(line[i + 2]))) {
            i += 2;
            while (i < line.size() && isWordPart(line[i]))
                ++i;
            if (i < line.size() && line[i] == '&')
                ++i;
            tokens.push_back({TokenKind::Number, from, i - from});
        } else if (c == '[') {
            // A bracketed name stands for the word inside.
            const std::size_t close = line.find(']', i);
            i = close == std::string_view::npos ? line.size() : close + 1;
            tokens.push_back({TokenKind::Word, from, i - from});
        } else {
            ++i;
            tokens.push_back({TokenKind::Symbol, from, 1});
        }
        statementStart = c == ':' && !(i < line.size() && line[i] == '=');
    }
    return tokens;
}

constexpr std::string_view kScopes[] = {"Public", "Private", "Friend", "Global", "Static"};

bool isScopeWord(std::string_view w)
{
    for (const std::string_view s : kScopes) {
        if (equalsAsciiCaseBlind(w, s))
            return true;
    }
    return false;
}

std::optional<ProcedureStart> procedureStart(const CodeLine &line)
{
    std::size_t i = 0;
    bool isPublic = true;
    while (i < line.tokens.size() && line.tokens[i].kind == TokenKind::Word && isScopeWord(line.word(i))) {
        if (line.is(i, "Private"))
            isPublic = false;
        ++i;
    }
    if (i + 1 >= line.tokens.size())
        return std::nullopt;
    ProcedureKind kind;
    if (line.is(i, "Sub"))
        kind = ProcedureKind::Sub;
    else if (line.is(i, "Function"))
        kind = ProcedureKind::Function;
    else if (line.is(i, "Property") && i + 2 < line.tokens.size()) {
        ++i;
        if (line.is(i, "Get"))
            kind = ProcedureKind::PropertyGet;
        else if (line.is(i, "Let"))
            kind = ProcedureKind::PropertyLet;
        else if (line.is(i, "Set"))
            kind = ProcedureKind::PropertySet;
        else
            return std::nullopt;
    } else
        return std::nullopt;
    ++i;
    if (line.tokens[i].kind != TokenKind::Word)
        return std::nullopt;
    return ProcedureStart{kind, isPublic, i};
}

bool endsProcedure(const CodeLine &line)
{
    return line.tokens.size() >= 2 && line.is(0, "End") &&
           (line.is(1, "Sub") || line.is(1, "Function") || line.is(1, "Property"));
}

// Words that can stand first on a line before a colon without making a
// label of it.
bool isStatementWord(std::string_view w)
{
    for (const std::string_view s : {"Else", "End", "Loop", "Next", "Wend", "Exit", "Resume", "Return", "Stop", "Beep",
                                     "Do", "Randomize", "Close", "Reset"}) {
        if (equalsAsciiCaseBlind(w, s))
            return true;
    }
    return false;
}

std::optional<std::size_t> labelOf(const CodeLine &line)
{
    if (line.tokens.size() < 1)
        return std::nullopt;
    const Token &first = line.tokens[0];
    const std::string_view rest = line.text.substr(first.offset + first.length);
    if (first.kind == TokenKind::Number) {
        // A line number: digits alone, first on the line.
        for (const char c : line.word(0)) {
            if (!isDigit(c))
                return std::nullopt;
        }
        return 0;
    }
    if (first.kind != TokenKind::Word || line.word(0).front() == '[' || isStatementWord(line.word(0)))
        return std::nullopt;
    if (!rest.starts_with(":") || rest.starts_with(":="))
        return std::nullopt;
    return 0;
}

} // namespace

bool CodeLine::is(std::size_t index, std::string_view w) const
{
    return index < tokens.size() && tokens[index].kind == TokenKind::Word && equalsAsciiCaseBlind(word(index), w);
}

CodeLine CodeReader::read(std::string_view text)
{
    CodeLine line;
    line.text = text;
    const std::string_view content = withoutTrailingBlanks(text);
    if (content.empty() || content == "'") {
        line.inProcedure = m_inProcedure;
        line.inTypeBlock = m_inTypeBlock;
        return line;
    }
    // A form's source opens with its designer block: "VERSION" first, the
    // code after the first "Attribute" line.
    if (m_designer == Designer::Unknown) {
        std::string_view first = content;
        while (!first.empty() && (first.front() == ' ' || first.front() == '\t'))
            first.remove_prefix(1);
        m_designer = startsWithAsciiCaseBlind(first, "VERSION ") ? Designer::Inside : Designer::Over;
    }
    if (m_designer == Designer::Inside) {
        std::string_view first = content;
        while (!first.empty() && (first.front() == ' ' || first.front() == '\t'))
            first.remove_prefix(1);
        if (!startsWithAsciiCaseBlind(first, "Attribute "))
            return line;
        m_designer = Designer::Over;
    }
    if (m_commentContinues) {
        m_commentContinues = content.back() == '_';
        line.inProcedure = m_inProcedure;
        line.inTypeBlock = m_inTypeBlock;
        return line;
    }
    bool comment = false;
    std::string_view commentText;
    line.tokens = tokenize(text, comment, commentText);
    line.continued = m_statementContinues;
    m_commentContinues = comment && withoutTrailingBlanks(commentText).ends_with('_');
    // A code line continues when it ends with a blank and "_".
    m_statementContinues = !comment && content.size() >= 2 && content.ends_with(" _");
    if (!line.continued) {
        line.start = procedureStart(line);
        line.label = labelOf(line);
        line.endsProcedure = endsProcedure(line);
        if (line.start)
            m_inProcedure = true;
        if (!m_inProcedure && !line.tokens.empty()) {
            std::size_t i = 0;
            while (i < line.tokens.size() && isScopeWord(line.word(i)))
                ++i;
            if (line.is(i, "Type") || line.is(i, "Enum"))
                m_inTypeBlock = true;
            else if (line.is(0, "End") && (line.is(1, "Type") || line.is(1, "Enum"))) {
                line.inTypeBlock = true;
                m_inTypeBlock = false;
                return line;
            }
        }
    }
    line.inProcedure = m_inProcedure;
    line.inTypeBlock = m_inTypeBlock;
    if (line.endsProcedure)
        m_inProcedure = false;
    return line;
}

} // namespace quorbel::project
