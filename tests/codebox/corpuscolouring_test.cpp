// Whole-text colouring of real modules, checked character by character
// against the colouring rules walked independently here.
#include "controlhost/colourvalue.h"
#include "tests/codebox/codeboxfixture.h"
#include "tests/codebox/colourmap.h"
#include "tests/support/corpusfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <string>

namespace quorbel {
namespace {

// The code box's keywords, lower case, each with the form it is re-cased to.
const std::map<QString, QString> &keywordForms()
{
    static const std::map<QString, QString> forms = [] {
        const char *const words[] = {
            "#Const",   "#Else",    "#ElseIf", "#End",   "#If",     "Alias",    "And",     "As",      "Base",
            "Binary",   "Boolean",  "Byte",    "ByVal",  "Call",    "Case",     "CBool",   "CByte",   "CCur",
            "CDate",    "CDbl",     "CDec",    "CInt",   "CLng",    "Close",    "Compare", "Const",   "CSng",
            "CStr",     "Currency", "CVar",    "CVErr",  "Debug",   "Decimal",  "Declare", "DefBool", "DefByte",
            "DefCur",   "DefDate",  "DefDbl",  "DefDec", "DefInt",  "DefLng",   "DefObj",  "DefSng",  "DefStr",
            "DefVar",   "Dim",      "Do",      "Double", "Each",    "Else",     "ElseIf",  "End",     "Enum",
            "Eqv",      "Erase",    "Error",   "Event",  "Exit",    "Explicit", "False",   "For",     "Function",
            "Get",      "Global",   "GoSub",   "GoTo",   "If",      "Imp",      "In",      "Input",   "Integer",
            "Is",       "LBound",   "Let",     "Lib",    "Like",    "Line",     "Lock",    "Long",    "Loop",
            "LSet",     "Name",     "New",     "Next",   "Not",     "Object",   "On",      "Open",    "Option",
            "Optional", "Or",       "Output",  "Print",  "Private", "Property", "Public",  "Put",     "Random",
            "Read",     "ReDim",    "Resume",  "Return", "RSet",    "Seek",     "Select",  "Set",     "Single",
            "Spc",      "Static",   "String",  "Stop",   "Sub",     "Tab",      "Then",    "True",    "Type",
            "UBound",   "Unlock",   "Variant", "Wend",   "While",   "With",     "Xor",     "Nothing", "To"};
        std::map<QString, QString> result;
        for (const char *word : words)
            result.emplace(QString::fromLatin1(word).toLower(), QString::fromLatin1(word));
        return result;
    }();
    return forms;
}

// What one line should look like after whole-text colouring.
struct ExpectedLine {
    QString text;    // after re-casing
    QString classes; // one letter per character: t, c, k, i
};

// Which characters of a line lie inside string literals, by walking the line
// once: an apostrophe met before any literal ends the walk (the rest is a
// comment), an unclosed quote ends it, and after a closing quote the next
// character is stepped over.
QList<bool> insideLiterals(const QString &line)
{
    QList<bool> inside(line.size(), false);
    bool blanked = false;
    qsizetype i = 0;
    while (i < line.size()) {
        if (line[i] == u'\'' && !blanked)
            break;
        if (line[i] != u'"') {
            ++i;
            continue;
        }
        const qsizetype close = line.indexOf(u'"', i + 1);
        if (close < 0)
            break;
        for (qsizetype k = i + 1; k < close; ++k)
            inside[k] = true;
        blanked = true;
        i = close + 2;
    }
    return inside;
}

ExpectedLine expectLine(const QString &line, bool hasBreak)
{
    ExpectedLine out{line, QString(line.size(), u't')};
    const QList<bool> inside = insideLiterals(line);
    qsizetype comment = -1;
    for (qsizetype k = 0; k < line.size() && comment < 0; ++k) {
        if (line[k] == u'\'' && !inside[k])
            comment = k;
    }
    if (comment >= 0)
        out.classes.replace(comment, line.size() - comment, QString(line.size() - comment, u'c'));

    // The scanned characters: the line as masked, its line break and a blank.
    QString scanned;
    for (qsizetype k = 0; k < line.size(); ++k)
        scanned += inside[k] ? QChar(u' ') : line[k];
    scanned += hasBreak ? QStringLiteral("\r\n ") : QStringLiteral(" ");
    const qsizetype end = comment >= 0 ? comment + 2 : (hasBreak ? line.size() + 1 : 0);

    enum class Previous { Other, Ampersand, GoTo, Dim };
    Previous previous = Previous::Other;
    QString word;
    bool inBrackets = false;
    for (qsizetype k = 0; k < end; ++k) {
        const int low = scanned[k].unicode() & 0xFF;
        if (std::isalpha(low) || low == '_' || (std::isdigit(low) && !word.isEmpty())) {
            word += scanned[k];
            continue;
        }
        if (std::isdigit(low))
            continue;
        if (low == '&') {
            previous = Previous::Ampersand;
            continue;
        }
        inBrackets = inBrackets || low == '[';
        if (!word.isEmpty() && previous != Previous::GoTo && low != ':') {
            const auto form = keywordForms().find(word.toLower());
            const qsizetype from = k - word.size();
            const bool keyword = form != keywordForms().end() && previous != Previous::Dim && !inBrackets;
            if (keyword) {
                if (out.text.mid(from, word.size()).toLower() == word.toLower())
                    out.text.replace(from, word.size(), form->second);
                out.classes.replace(from, word.size(), QString(word.size(), u'k'));
            } else if (previous != Previous::Ampersand) {
                out.classes.replace(from, word.size(), QString(word.size(), u'i'));
            }
        }
        inBrackets = inBrackets && low != ']';
        previous = word == u"GoTo" ? Previous::GoTo : word == u"Dim" ? Previous::Dim : Previous::Other;
        word.clear();
    }
    return out;
}

QString readSource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

class CorpusColouring : public ::testing::TestWithParam<const char *> {};

TEST_P(CorpusColouring, EveryCharacterHasTheColourOfTheRules)
{
    QUORBEL_SKIP_WITHOUT_CORPUS();
    const QString path = QStringLiteral(QUORBEL_CORPUS_DIR "/") + QString::fromUtf8(GetParam());
    const QString source = readSource(path);
    ASSERT_FALSE(source.isEmpty()) << path.toStdString();

    testing::CodeBoxFixture f;
    f.shared.Color_Text = 0x102030;
    auto box = f.makeBox();
    box->setText(source);
    QStringList lines = box->Text().split(QStringLiteral("\r\n"));
    const qsizetype coloured = lines.size();
    if (lines.last().size() > 3)
        lines.append(QString());
    box->color();

    const QStringList shown = box->Text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(shown.size(), lines.size());
    int wrongLines = 0;
    for (qsizetype n = 0; n < coloured && wrongLines < 5; ++n) {
        const ExpectedLine expected = expectLine(lines[n], n + 1 < lines.size());
        const QString classes = testing::colourMap(box->RTB1(), f.shared, int(n + 1));
        if (shown[n] != expected.text || classes != expected.classes) {
            ++wrongLines;
            ADD_FAILURE() << "line " << n + 1 << "\n  text  " << shown[n].toStdString() << "\n  want  "
                          << expected.text.toStdString() << "\n  shown " << classes.toStdString() << "\n  want  "
                          << expected.classes.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    RealModules, CorpusColouring,
    ::testing::Values("Planet-Source-Code__arne-elster-flamed-lib-cd-writing-and-more__1-62011/bas/modACM.bas",
                      "akinomyoga__vb6programs/src/\xe9\x99\xa3\xef\xbc\x92.frm",
                      "wqweto__ZipArchive/test/vbzip/cVbZip.cls",
                      "kellyethridge__SimplyVBUnit/Source/Tests/StringBuilderTests.cls",
                      "jpbro__VbFcgi/src/VbFcgiLibDll/CTests.cls"));

// Whole-text colouring colours every line in one pass of its own; it must
// leave exactly what colouring each line in turn leaves (after the text
// colour everywhere and the line break appended after a long last line):
// the same text, re-cased, and the same colour runs. Checked on a spread of
// real modules and on lines made to reach the rules' corners.
// Whether the two documents hold the same fragments with equal formats.
bool sameFormats(const QTextDocument &a, const QTextDocument &b)
{
    QTextBlock x = a.firstBlock();
    QTextBlock y = b.firstBlock();
    for (; x.isValid() && y.isValid(); x = x.next(), y = y.next()) {
        auto i = x.begin();
        auto j = y.begin();
        for (; !i.atEnd() && !j.atEnd(); ++i, ++j) {
            if (i.fragment().position() != j.fragment().position() || i.fragment().length() != j.fragment().length() ||
                i.fragment().charFormat() != j.fragment().charFormat())
                return false;
        }
        if (!i.atEnd() || !j.atEnd() || x.charFormat() != y.charFormat())
            return false;
    }
    return x.isValid() == y.isValid();
}

TEST(WholeTextColouring, EqualsColouringEveryLineInTurn)
{
    QStringList sources = {
        QStringLiteral("dim x as integer ' a comment \"quoted\"\r\nIf a& = b&c Then GoTo done\r\n"
                       "x = \"it's\" & y: Rem  [dim] as\r\nLabel1: call \u0141oad(\u00c9vent, Public)\r\n"
                       "  sub   End sub ' and\r\nPrint \"\"\"a\"\" 'b\" 'c"),
        QStringLiteral("end sub"),
        QStringLiteral("dim a\r\nend"),
        QStringLiteral("b'c"),
        QStringLiteral("Option Explicit\r\nx = 1 ' last"),
        QStringLiteral("Dim \u212Aey As Long\r\n\r\nend\r\n"),
        QString()};
    if (::quorbel::testing::corpusPresent()) {
        const std::vector<std::filesystem::path> files = ::quorbel::testing::corpusFiles();
        for (std::size_t i = 0; i < files.size(); i += std::max<std::size_t>(1, files.size() / 40))
            sources.append(readSource(QString::fromStdString(files[i].string())));
    }
    testing::CodeBoxFixture f;
    f.shared.Color_Text = 0x102030;
    f.shared.Color_Comment = 0x008000;
    f.shared.Color_KeyWords = 0x800000;
    f.shared.Color_IDWords = 0x000080;
    auto whole = f.makeBox();
    auto byLine = f.makeBox();
    for (const QString &source : sources) {
        whole->setText(source);
        whole->color();

        byLine->setText(source);
        RichTextBox &rtb = byLine->RTB1();
        byLine->unColorAll(rtb);
        const int count = rtb.lineCount();
        if (rtb.TextQ().split(QStringLiteral("\r\n")).last().size() > 3)
            rtb.appendTextQ(QStringLiteral("\r\n"));
        for (qint32 line = 1; line <= count; ++line) {
            qint32 number = line;
            byLine->colorLine(rtb, number, false);
        }
        rtb.setSelStart(0);
        whole->RTB1().setSelStart(0);

        ASSERT_EQ(whole->Text(), byLine->Text()) << source.left(200).toStdString();
        ASSERT_EQ(whole->RTB1().TextRTF(), rtb.TextRTF()) << source.left(200).toStdString();
        // Every character's whole format, not only what rich text keeps.
        ASSERT_TRUE(sameFormats(*whole->RTB1().document(), *rtb.document())) << source.left(200).toStdString();
    }

    // Text of more than one format keeps what is not colour: "a" stays bold.
    for (VBCodeBox *box : {whole.get(), byLine.get()}) {
        box->setText(QStringLiteral("Dim a As Long\r\nb = a ' x\r\n"));
        QTextCursor cursor(box->RTB1().document());
        cursor.setPosition(4);
        cursor.setPosition(5, QTextCursor::KeepAnchor);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.mergeCharFormat(bold);
    }
    whole->color();
    RichTextBox &rtb = byLine->RTB1();
    byLine->unColorAll(rtb);
    for (qint32 line = 1; line <= 3; ++line) {
        qint32 number = line;
        byLine->colorLine(rtb, number, false);
    }
    EXPECT_EQ(whole->Text(), "Dim a As Long\r\nb = a ' x\r\n");
    EXPECT_TRUE(sameFormats(*whole->RTB1().document(), *rtb.document()));
    QTextCursor bolded(whole->RTB1().document());
    bolded.setPosition(5);
    EXPECT_EQ(bolded.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(bolded.charFormat().foreground().color(), colourFromValue(0x000080));
}

// A paste is coloured from its text alone; it must give the runs that
// colouring the text whole in a box of its own gives (the text, a line break
// appended, every line coloured, the runs read without that line break), and
// move the progress bar through the same values. Checked on lines made to
// reach the rules' corners, every kind of line break, and real modules.
TEST(PasteColouring, EqualsColouringTheTextInABoxOfItsOwn)
{
    QStringList sources = {
        QString(),
        QStringLiteral("\r\n"),
        QStringLiteral("\n\ndim a"),
        QStringLiteral("dim x as integer ' a comment \"quoted\"\r\nIf a& = b&c Then GoTo done\r\n"
                       "x = \"it's\" & y: Rem  [dim] as\r\nLabel1: call \u0141oad(\u00c9vent, Public)\r\n"
                       "  sub   End sub ' and\r\nPrint \"\"\"a\"\" 'b\" 'c"),
        QStringLiteral("end sub"),
        QStringLiteral("b'c\rfor i = 1 to 2\r\r\nnext"),
        QStringLiteral("x\u2028dim y\u2029z = \"a\" ' q\n\tend  if"),
        QStringLiteral("a\uFDD0dim b\uFDD1c\u000bd"),
        QStringLiteral("Dim \u212Aey As Long\r\n\r\nend\r\n"),
        QStringLiteral("'\r\n''\r\n\"\r\n&\r\n1a\r\ndim_x 2 ' end"),
    };
    if (::quorbel::testing::corpusPresent()) {
        const std::vector<std::filesystem::path> files = ::quorbel::testing::corpusFiles();
        for (std::size_t i = 0; i < files.size(); i += std::max<std::size_t>(1, files.size() / 25))
            sources.append(readSource(QString::fromStdString(files[i].string())));
    }
    testing::CodeBoxFixture f;
    f.shared.Color_Comment = 0x008000;
    f.shared.Color_KeyWords = 0x800000;
    f.shared.Color_IDWords = 0x000080;
    auto box = f.makeBox();
    RichTextBox &own = box->RTBPaste();
    // Every change of the bar with the value it then holds.
    struct BarRecorder : RecordingControlHost {
        const zentrim::ProBar *bar = nullptr;
        QStringList changes;
        void propertyChanged(const QString &name) override
        {
            changes << name + QString::number(name == u"Max" ? bar->Max() : bar->Value());
        }
    } recorder;
    recorder.bar = &box->ProBar1();
    box->ProBar1().setHost(&recorder);
    const auto startBar = [&] {
        box->ProBar1().setValue(box->ProBar1().Min());
        recorder.changes.clear();
    };
    // A system colour reference for the text: runs carry what the box reads
    // back.
    for (const qint32 textColour : {0x102030, qint32(0x80000008u)}) {
        f.shared.Color_Text = textColour;
        for (const QString &source : sources) {
            startBar();
            const std::vector<RtfRun> runs = box->colouring().colourPaste(source);
            const QStringList pasteBar = recorder.changes;
            EXPECT_FALSE(box->ProBar1().isVisible());

            startBar();
            own.setTextQ(source);
            own.appendTextQ(QStringLiteral("\r\n"));
            box->colouring().colorAll(own);
            own.setSel(0, own.textLength() - 2);
            const std::vector<RtfRun> expected = own.SelRuns();
            own.setTextQ(QString());

            ASSERT_EQ(runs.size(), expected.size()) << source.left(200).toStdString();
            for (std::size_t i = 0; i < runs.size(); ++i) {
                ASSERT_EQ(runs[i].text, expected[i].text) << "run " << i << " of " << source.left(200).toStdString();
                ASSERT_EQ(runs[i].colour, expected[i].colour)
                    << "run " << i << " of " << source.left(200).toStdString();
            }
            EXPECT_EQ(pasteBar, recorder.changes) << source.left(200).toStdString();
        }
    }
    box->ProBar1().setHost(nullptr);
}

// Pictures for a person to look at: the box holding a coloured module, and
// its progress bar half way through the colouring (the text box itself is
// not redrawn while it is coloured).
TEST(CodeBoxScreenshots, ColouredSampleModule)
{
    const QString source = readSource(QStringLiteral(QUORBEL_SOURCE_DIR "/examples/Inventory.bas"));
    ASSERT_FALSE(source.isEmpty());
    const QString folder = QStringLiteral(QUORBEL_BUILD_DIR "/screenshots");
    ASSERT_TRUE(QDir().mkpath(folder));

    struct GrabbingHost : RecordingControlHost {
        VBCodeBox *box = nullptr;
        QImage midway;
        void propertyChanged(const QString &name) override
        {
            if (name == u"Value" && midway.isNull() && box->ProBar1().Value() * 2 >= box->ProBar1().Max())
                midway = box->ProBar1().grab().toImage();
        }
    };
    testing::CodeBoxFixture f;
    auto box = f.makeBox();
    box->resize(720, 540);
    GrabbingHost barHost;
    barHost.box = box.get();
    box->ProBar1().setHost(&barHost);
    box->setText(source);
    box->color();
    box->ProBar1().setHost(nullptr);

    const QImage coloured = box->grab().toImage();
    ASSERT_TRUE(coloured.save(folder + "/codebox-inventory.png"));
    ASSERT_FALSE(barHost.midway.isNull());
    ASSERT_TRUE(barHost.midway.save(folder + "/codebox-progressbar.png"));

    // The picture shows keyword- and comment-coloured letters.
    auto countColour = [&](qint32 value) {
        int count = 0;
        for (int y = 0; y < coloured.height(); ++y)
            for (int x = 0; x < coloured.width(); ++x)
                count += testing::colourValue(coloured.pixelColor(x, y)) == value;
        return count;
    };
    EXPECT_GT(countColour(f.shared.Color_KeyWords), 50);
    EXPECT_GT(countColour(f.shared.Color_Comment), 50);
}

} // namespace
} // namespace quorbel
