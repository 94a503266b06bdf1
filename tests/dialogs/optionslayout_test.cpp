#include "engine/colour.h"
#include "engine/settingkeys.h"
#include "tests/dialogs/optionsfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace quorbel {
namespace {

using testing::OptionsFixture;
struct OptionsLayout : ::testing::Test, OptionsFixture {};

TEST_F(OptionsLayout, LoadsThePreviewAndTheWidthsFromDefaultsAndSettings)
{
    frmOptions &d = load(2);
    EXPECT_EQ(d.PicHeader().colour(), hexToRGB("COCOCO"));
    EXPECT_EQ(d.PicHeader().colour(), 202 + 256 * 202 + 65536 * 202);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(d.picHTMLComment(i).colour(), hexToRGB("86C1F2"));
    EXPECT_EQ(d.picHTMLpage().colour(), hexToRGB("FFFFFF"));
    EXPECT_EQ(d.lblHTMLtext(4).colour(), 0);
    EXPECT_TRUE(d.optPercent().isChecked());
    EXPECT_EQ(d.txtCommentWidth().text(), "100");
    EXPECT_EQ(d.lastWidth(), 100);
    EXPECT_EQ(d.txtNamesWidth().text(), "30");
    EXPECT_EQ(d.txtInfoWidth().text(), "70");
    EXPECT_EQ(d.ComboFontName().currentText(), "Arial");
    EXPECT_EQ(d.ComboFontSize().currentText(), "8");
    EXPECT_GT(d.ComboFontName().count(), 0); // the platform's fonts
    EXPECT_EQ(d.ComboFontSize().count(), 4);
    EXPECT_EQ(d.lblHTMLtext(0).font().family(), "Arial");

    store(keys::HTMLCommentSpecifyWidth, "0");
    store(keys::HTMLCommentPercentage, "False");
    store(keys::HTMLCommentSpecifiedWidth, "640");
    store(keys::HTMLCommentNamesWidth, "40");
    store(keys::HTMLCommentInfoWidth, "55");
    store(keys::HTMLCommentFontColor, "255");
    store(keys::HTMLCommentFontName, "Verdana");
    frmOptions &e = load();
    EXPECT_TRUE(e.optPixels().isChecked());
    EXPECT_FALSE(e.txtCommentWidth().isEnabled());
    EXPECT_FALSE(e.optPercent().isEnabled());
    EXPECT_EQ(e.lastWidth(), 640);
    EXPECT_EQ(e.txtInfoWidth().text(), "55"); // its own setting wins
    EXPECT_EQ(e.picFontColor().colour(), 255);
    EXPECT_EQ(e.ComboFontName().currentText(), "Verdana");
    store(keys::HTMLCommentPercentage, "-1");
    EXPECT_TRUE(load().optPercent().isChecked());
}

TEST_F(OptionsLayout, WidthRulesWithTypedText)
{
    frmOptions &d = load(2);
    d.show();
    QLineEdit &width = d.txtCommentWidth();
    const auto type = [&](const char *text) {
        width.selectAll();
        QTest::keyClicks(&width, QString::fromLatin1(text));
    };
    type("50");
    EXPECT_EQ(width.text(), "50");
    EXPECT_EQ(d.lastWidth(), 50);
    type("150"); // over 100 in percent: the last accepted width comes back
    EXPECT_EQ(width.text(), "15");
    EXPECT_EQ(d.lastWidth(), 15);
    width.setText(QStringLiteral("150"));
    EXPECT_EQ(width.text(), "15");
    EXPECT_EQ(width.cursorPosition(), 2);
    width.setText(QStringLiteral("abc"));
    EXPECT_EQ(width.text(), "15");
    width.setText(QStringLiteral("-1"));
    EXPECT_EQ(width.text(), "15");
    width.setText(QString());
    EXPECT_EQ(width.text(), "");
    EXPECT_EQ(d.lastWidth(), 15);
    width.setText(QStringLiteral("12.5")); // halves to even
    EXPECT_EQ(d.lastWidth(), 12);
    width.setText(QStringLiteral("13.5"));
    EXPECT_EQ(d.lastWidth(), 14);
    d.optPixels().click();
    width.setText(QStringLiteral("150"));
    EXPECT_EQ(width.text(), "150");
    width.setText(QStringLiteral("-20"));
    EXPECT_EQ(d.lastWidth(), -20);
    width.setText(QStringLiteral("40000")); // beyond the 16-bit width
    EXPECT_EQ(width.text(), "-20");
    width.setText(QStringLiteral("abc"));
    EXPECT_EQ(width.text(), "-20");

    QLineEdit &names = d.txtNamesWidth();
    names.selectAll();
    QTest::keyClicks(&names, QStringLiteral("40"));
    EXPECT_EQ(d.txtInfoWidth().text(), "60");
    names.setText(QStringLiteral("25.5"));
    EXPECT_EQ(d.txtInfoWidth().text(), "74.5");
    names.setText(QStringLiteral("100"));
    names.setText(QStringLiteral("0"));
    names.setText(QStringLiteral("x"));
    EXPECT_EQ(d.txtInfoWidth().text(), "74.5");
    QTest::mouseClick(&d.ChkSpecify(), Qt::LeftButton);
    EXPECT_FALSE(width.isEnabled());
    EXPECT_FALSE(d.optPixels().isEnabled());
}

TEST_F(OptionsLayout, PreviewColoursFontsAndRestore)
{
    frmOptions &d = load(2);
    d.show();
    colours.answers = {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, std::nullopt};
    QTest::mouseClick(&d.lblHTMLtext(1), Qt::LeftButton); // a value cell's text
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(d.picHTMLComment(i).colour(), 0x010203);
    QTest::mouseClick(&d.lblHTMLtext(4), Qt::LeftButton); // the title's text
    EXPECT_EQ(d.PicHeader().colour(), 0x040506);
    QTest::mouseClick(&d.picHTMLComment(2), Qt::LeftButton);
    EXPECT_EQ(d.picHTMLComment(0).colour(), 0x070809);
    d.colourClick(d.picHTMLpage());
    EXPECT_EQ(d.picHTMLpage().colour(), 0x0A0B0C);
    QTest::mouseClick(&d.picFontColor(), Qt::LeftButton);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(d.lblHTMLtext(i).colour(), 0x0D0E0F);
    QTest::mouseClick(&d.picFontColor(), Qt::LeftButton); // cancelled
    EXPECT_EQ(d.picFontColor().colour(), 0x0D0E0F);

    const int courier = d.ComboFontName().findText(d.ComboFontName().itemText(0));
    emit d.ComboFontName().activated(courier);
    const QString family = d.ComboFontName().itemText(courier);
    EXPECT_EQ(d.lblHTMLtext(4).font().family(), family);
    emit d.ComboFontSize().activated(3);
    EXPECT_EQ(d.lblHTMLtext(2).font().pointSize(), 12);
    d.ComboFontSize().setEditText(QStringLiteral("10")); // typed: the labels stay
    EXPECT_EQ(d.lblHTMLtext(2).font().pointSize(), 12);

    d.ChkSpecify().setCheckState(Qt::Unchecked);
    d.optPixels().setChecked(true);
    QTest::mouseClick(&d.cmdRestore(), Qt::LeftButton);
    EXPECT_EQ(d.PicHeader().colour(), hexToRGB("C0C0C0"));
    EXPECT_EQ(d.picHTMLComment(3).colour(), hexToRGB("86C1F2"));
    EXPECT_EQ(d.picHTMLpage().colour(), hexToRGB("FFFFFF"));
    EXPECT_EQ(d.picFontColor().colour(), 0);
    EXPECT_EQ(d.lblHTMLtext(4).colour(), 0);
    EXPECT_EQ(d.lblHTMLtext(0).font().family(), "Arial");
    EXPECT_EQ(d.lblHTMLtext(0).font().pointSize(), 8);
    EXPECT_EQ(d.lblHTMLtext(4).font().family(), family); // the title's font stays
    EXPECT_TRUE(d.optPercent().isChecked());
    EXPECT_TRUE(d.txtCommentWidth().isEnabled());
    EXPECT_EQ(d.txtCommentWidth().text(), "100");
    EXPECT_EQ(d.lastWidth(), 100);
    EXPECT_EQ(d.txtInfoWidth().text(), "70");
    EXPECT_EQ(d.ComboFontName().currentText(), "Arial");

    d.ChkHTML(1).setCheckState(Qt::Unchecked);
    d.ComboFontSize().setEditText(QStringLiteral("10"));
    d.cmdOK_Click();
    EXPECT_EQ(stored(keys::HTMLCommentHeaderBGColor), "C0C0C0");
    EXPECT_EQ(stored(keys::PrintInHTML), "0");
    EXPECT_EQ(stored(keys::CommentsPrintCommentsInHTML), "1");
    EXPECT_EQ(stored(keys::HTMLCommentFontSize), "10");
    EXPECT_EQ(stored(keys::HTMLCommentPercentage), "True");
}

} // namespace
} // namespace quorbel
