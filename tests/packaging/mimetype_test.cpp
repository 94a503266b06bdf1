// The MIME types of data/mime/quorbel.xml as a desktop reads them (Qt's
// MIME database over the system's and the project's definitions), and the
// types the desktop entries open.
#include "tests/support/scratchfiles.h"

#include <QMimeDatabase>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace quorbel::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kData = QUORBEL_DATA_DIR;

// A MIME database built as an installation builds it: the system's
// definitions and the project's merged by update-mime-database, and nothing
// else in the search path. Qt reads the folders once, on the first use of
// the database in the process.
class MimeTypes : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // ctest runs each test in a process of its own, several at once.
        folder = scratchFolder("packaging", "mime-" + std::to_string(getpid()));
        const fs::path system = "/usr/share/mime/packages/freedesktop.org.xml";
        const fs::path packages = folder / "share" / "mime" / "packages";
        if (!fs::exists(system) || std::system("command -v update-mime-database >/dev/null") != 0)
            return;
        fs::create_directories(packages);
        fs::copy_file(system, packages / system.filename());
        fs::copy_file(kData / "mime" / "quorbel.xml", packages / "quorbel.xml");
        const std::string update = "update-mime-database '" + (folder / "share" / "mime").string() + "' 2>/dev/null";
        built = std::system(update.c_str()) == 0;
        qputenv("XDG_DATA_DIRS", QByteArray::fromStdString((folder / "share").string()));
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString((folder / "home").string()));
    }

    static void TearDownTestSuite() { fs::remove_all(folder); }

    void SetUp() override
    {
        if (!built)
            GTEST_SKIP() << "shared-mime-info (update-mime-database) is not installed";
    }

    static QString typeOf(const std::string &name, const std::string &content)
    {
        writeBytes(folder / name, content);
        return QMimeDatabase().mimeTypeForFile(QString::fromStdString((folder / name).string())).name();
    }

    static fs::path folder;
    static bool built;
};

fs::path MimeTypes::folder;
bool MimeTypes::built = false;

TEST_F(MimeTypes, visualBasicSourcesHaveTheirOwnType)
{
    EXPECT_EQ(typeOf("Inventory.bas", "Attribute VB_Name = \"Inventory\"\r\nOption Explicit\r\n"), "text/x-vb6-source");
    EXPECT_EQ(typeOf("frmMain.frm", "VERSION 5.00\r\nBegin VB.Form frmMain\r\nEnd\r\n"), "text/x-vb6-source");
    EXPECT_EQ(typeOf("Account.cls", "VERSION 1.0 CLASS\r\nBEGIN\r\n  MultiUse = -1\r\nEND\r\n"), "text/x-vb6-source");
    EXPECT_EQ(typeOf("Inventory.vbp", "Type=Exe\r\nModule=Inventory; Inventory.bas\r\n"), "text/x-vb6-project");
    // A module without its attribute line is known by its name alone.
    EXPECT_EQ(typeOf("Bare.BAS", "Sub Main()\r\nEnd Sub\r\n"), "text/x-vb6-source");

    const QMimeType source = QMimeDatabase().mimeTypeForName(QStringLiteral("text/x-vb6-source"));
    ASSERT_TRUE(source.isValid());
    EXPECT_TRUE(source.inherits(QStringLiteral("text/plain")));
    EXPECT_EQ(source.comment(), QStringLiteral("Visual Basic 6 source"));
    // Without a name, the first line tells.
    EXPECT_EQ(QMimeDatabase().mimeTypeForData(QByteArray("VERSION 1.0 CLASS\r\nBEGIN\r\n")).name(),
              "text/x-vb6-source");
}

TEST_F(MimeTypes, aTeXClassKeepsItsType)
{
    EXPECT_EQ(typeOf("article.cls", "\\NeedsTeXFormat{LaTeX2e}\n\\ProvidesClass{article}\n"), "text/x-tex");
}

// The MimeType entries of a desktop file.
QStringList mimeTypesOf(const fs::path &desktopFile)
{
    std::ifstream in(desktopFile);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("MimeType="))
            return QString::fromStdString(line.substr(9)).split(u';', Qt::SkipEmptyParts);
    }
    return {};
}

TEST_F(MimeTypes, theDesktopEntriesOpenTheseTypes)
{
    const QStringList gui = mimeTypesOf(kData / "applications" / "quorbel.desktop");
    EXPECT_EQ(gui, QStringList{"text/x-vb6-source"});
    const QStringList host = mimeTypesOf(kData / "applications" / "quorbel-host.desktop");
    EXPECT_EQ(host, (QStringList{"text/x-vb6-source", "text/x-vb6-project"}));
    for (const QString &type : gui + host)
        EXPECT_TRUE(QMimeDatabase().mimeTypeForName(type).isValid()) << type.toStdString();
}

} // namespace
} // namespace quorbel::testing
