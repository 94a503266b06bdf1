#include "codebox/richtextbox.h"
#include "codebox/vbcodebox.h"
#include "dialogs/optionsopener.h"
#include "engine/settingkeys.h"
#include "tests/dialogs/optionsfixture.h"
#include "tests/support/scratchfiles.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using testing::OptionsFixture;
struct OptionsConvert : ::testing::Test, OptionsFixture {};

std::string allPages(const fs::path &folder)
{
    std::string text;
    for (const auto &entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            text += testing::readBytes(entry.path());
    return text;
}

// Changes made in the dialog reach the page that the converter window writes.
TEST_F(OptionsConvert, ChangesInTheDialogReachTheWrittenPage)
{
    const fs::path file = fs::path(QUORBEL_CORPUS_DIR) / "jpbro__VbFcgi" / "src" / "Shared" / "MMime.bas";
    if (!fs::exists(file))
        GTEST_SKIP() << "corpus file " << file << " not found";
    const fs::path dir = testing::scratchFolder("dialogs", "ChangesInTheDialogReachTheWrittenPage");
    frmAddin &w = open({optionsOpener(optionsServices()), {}, {}});
    window = &w;
    w.chkShowOptions().setCheckState(Qt::Checked);
    w.openFile(file.string());

    // First conversion: the options dialog opens on its comments tab and
    // its Cancel stops the conversion.
    int tabShown = -1;
    onModal([&tabShown](QWidget &modal) {
        auto &d = dynamic_cast<frmOptions &>(modal);
        tabShown = d.SSTab1().currentIndex();
        QTest::mouseClick(&d.cmdCancel(2), Qt::LeftButton);
    });
    w.cmdConvert_Click();
    EXPECT_EQ(tabShown, 1);
    EXPECT_TRUE(dialogs.calls.empty()); // no save dialog
    EXPECT_TRUE(w.dontConvert);

    // Second conversion: colours, a comment item and a META tag changed.
    colours.answers = {0x332211};
    onModal([this](QWidget &modal) {
        auto &d = dynamic_cast<frmOptions &>(modal);
        d.txtAuthor().setText(QStringLiteral("Ann Author"));
        d.SSTab1().setCurrentIndex(2);
        d.colourClick(d.picHTMLComment(0));
        QTimer::singleShot(0, [&d] {
            onModal([](QWidget &input) {
                auto &meta = dynamic_cast<frmMetaInput &>(input);
                meta.txtName().setText(QStringLiteral("robots"));
                meta.txtValue().setText(QStringLiteral("noindex"));
                QTest::mouseClick(&meta.cmdOK(), Qt::LeftButton);
            });
            d.cmdAdd_Click(1);
            QTest::mouseClick(&d.cmdOK(4), Qt::LeftButton);
        });
    });
    const fs::path target = dir / "MMime.html";
    dialogs.answers = {target.string()};
    w.cmdConvert_Click();
    EXPECT_FALSE(w.dontConvert);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    const std::string pages = allPages(dir);
    EXPECT_NE(pages.find("Ann Author"), std::string::npos);
    EXPECT_NE(pages.find("112233"), std::string::npos);
    EXPECT_NE(pages.find("<META NAME='robots'  CONTENT='noindex' >"), std::string::npos);
    EXPECT_EQ(stored(keys::MetaUserCount), "1");
}

// Each options entry of a window's menu opens the dialog on its own tab, and
// its OK recolours the code box of that window only.
TEST_F(OptionsConvert, MenuEntriesOpenTheirTabForTheirOwnWindow)
{
    frmAddin &first = open({optionsOpener(optionsServices()), {}, {}});
    frmAddin &second = open({optionsOpener(optionsServices()), {}, {}});
    const std::pair<const char *, int> entries[] = {
        {"mnuColours", 0}, {"mnuComments", 1}, {"mnuHTML", 2}, {"mnuMeta", 3}};
    for (const auto &[name, tab] : entries) {
        int shown = -1;
        onModal([&shown](QWidget &modal) {
            auto &d = dynamic_cast<frmOptions &>(modal);
            shown = d.SSTab1().currentIndex();
            d.cmdCancel_Click();
        });
        first.findChild<QAction *>(QString::fromLatin1(name))->trigger();
        EXPECT_EQ(shown, tab) << name;
    }
    // Both windows colour as they go, with the same code coloured.
    const auto keywordColour = [](frmAddin &w) {
        w.txtsource().RTB1().setSel(0, 1);
        return w.txtsource().RTB1().SelColor();
    };
    for (frmAddin *w : {&first, &second}) {
        w->chkAutoColor().setCheckState(Qt::Checked);
        w->txtsource().setText(QStringLiteral("Public Sub A()\r\nEnd Sub"));
        w->txtsource().color();
    }
    const std::int32_t keywordBefore = keywordColour(second);
    ASSERT_NE(keywordBefore, 0x00FF00);
    const std::int32_t before = second.txtsource().BackColor();
    colours.answers = {0x445566, 0x00FF00};
    onModal([](QWidget &modal) {
        auto &d = dynamic_cast<frmOptions &>(modal);
        d.picSyntaxColor_Click(SyntaxBGround);
        d.picSyntaxColor_Click(SyntaxKey);
        d.cmdOK_Click();
    });
    first.findChild<QAction *>(QStringLiteral("mnuColours"))->trigger();
    EXPECT_EQ(first.txtsource().BackColor(), 0x445566);
    EXPECT_EQ(second.txtsource().BackColor(), before);
    EXPECT_EQ(stored(keys::BGroundSyntaxColor), "665544");
    // OK recoloured the first window's code in the new keyword colour; the
    // code of the other window keeps the colours it was given.
    EXPECT_EQ(keywordColour(first), 0x00FF00);
    EXPECT_EQ(keywordColour(second), keywordBefore);
}

// Pictures of the four tabs and of the meta tag input dialog, in the build
// folder, for a person to look at.
TEST_F(OptionsConvert, ScreenshotsOfEveryTabAndTheInputDialog)
{
    frmOptions &d = load();
    d.show();
    const char *names[4] = {"options-colours", "options-comments", "options-layout", "options-meta"};
    for (int tab = 0; tab < 4; ++tab) {
        d.SSTab1().setCurrentIndex(tab);
        const QImage shot = d.grab().toImage();
        EXPECT_TRUE(shot.save(QStringLiteral(QUORBEL_IMAGE_DIR "/%1.png").arg(QString::fromLatin1(names[tab]))));
        EXPECT_EQ(shot.size(), d.size() * shot.devicePixelRatio());
    }
    frmMetaInput &input = d.metaInput();
    input.Form_Load();
    input.show();
    EXPECT_TRUE(input.grab().toImage().save(QStringLiteral(QUORBEL_IMAGE_DIR "/meta-input.png")));
}

} // namespace
} // namespace quorbel
