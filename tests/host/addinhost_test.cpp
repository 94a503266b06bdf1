#include "host/addinhost.h"
#include "host/addinmanager.h"
#include "tests/host/hostfixture.h"

#include <QApplication>
#include <QProcess>
#include <QTimer>
#include <QTreeWidget>

namespace quorbel::testing {
namespace {

class AddInHostTest : public HostTest {
protected:
    QAction *entryAction(const QString &prefix) const
    {
        for (QAction *action : window->addInsMenu().actions()) {
            if (action->text().startsWith(prefix))
                return action;
        }
        return nullptr;
    }
};

TEST_F(AddInHostTest, aRegisteredAddInConnectsAtStartAndIsManagedFromTheAddInManager)
{
    ASSERT_EQ(host::registerLibrary(HOST_FIXTURE_GOOD, false, listFile), "");
    const std::vector<AddInEntry> entries = AddInList(listFile).entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].progId, "Fixture.Connect");
    EXPECT_EQ(std::filesystem::path(entries[0].libraryPath), std::filesystem::path(HOST_FIXTURE_GOOD));

    window->addIns().connectAtStartup();
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_TRUE(window->addIns().isConnected("Fixture.Connect"));
    EXPECT_EQ(addInsEntries(), (QStringList{"Add-In &Manager...", "Fixture Entry (mode 1)"}));
    entryAction("Fixture")->trigger();
    entryAction("Clicked")->trigger();
    EXPECT_EQ(addInsEntries().back(), QStringLiteral("Clicked 2"));

    // Unchecking "Loaded" disconnects: the add-in takes its entry away.
    host::AddInManager manager(window->addIns(), window.get());
    QTreeWidget &list = manager.list();
    ASSERT_EQ(list.topLevelItemCount(), 1);
    QTreeWidgetItem *row = list.topLevelItem(0);
    EXPECT_EQ(row->text(0), QStringLiteral("Fixture Add-In"));
    EXPECT_EQ(row->text(1), QStringLiteral("Loaded"));
    EXPECT_EQ(row->checkState(1), Qt::Checked);
    row->setCheckState(1, Qt::Unchecked);
    EXPECT_FALSE(window->addIns().isConnected("Fixture.Connect"));
    EXPECT_EQ(addInsEntries(), QStringList{"Add-In &Manager..."});

    // Checking connects it again, from the manager (mode 0).
    row->setCheckState(1, Qt::Checked);
    EXPECT_TRUE(window->addIns().isConnected("Fixture.Connect"));
    EXPECT_EQ(addInsEntries().back(), QStringLiteral("Fixture Entry (mode 0)"));

    // The first entry of the "Add-Ins" menu opens the same manager.
    int rows = -1;
    QTimer::singleShot(0, [&rows] {
        if (auto *shown = dynamic_cast<host::AddInManager *>(QApplication::activeModalWidget())) {
            rows = shown->list().topLevelItemCount();
            shown->reject();
        }
    });
    window->addInsMenu().actions().first()->trigger();
    EXPECT_EQ(rows, 1);

    // Closing the window disconnects every add-in before it goes.
    window->close();
    EXPECT_FALSE(window->addIns().isConnected("Fixture.Connect"));
    EXPECT_EQ(addInsEntries(), QStringList{"Add-In &Manager..."});
    EXPECT_TRUE(messages.calls.empty());

    ASSERT_EQ(host::registerLibrary(HOST_FIXTURE_GOOD, true, listFile), "");
    EXPECT_TRUE(AddInList(listFile).entries().empty());
}

TEST_F(AddInHostTest, brokenLibrariesAreReportedAndSkipped)
{
    AddInList list(listFile);
    const std::string missing = (folder / "libmissing.so").string();
    list.put({"A.Missing", "Missing", missing, true});
    list.put({"B.NoEntry", "No entry point", HOST_FIXTURE_NO_CLASS_OBJECT, true});
    list.put({"C.Refused", "Refused", HOST_FIXTURE_CLASS_OBJECT_FAILS, true});
    list.put({"D.Throws", "Throws", HOST_FIXTURE_CONNECTION_THROWS, true});
    list.put({"E.Unknown", "Unknown ProgID", HOST_FIXTURE_GOOD, true});
    list.put({"F.NotAtStart", "Not at start", missing, false});

    window->addIns().connectAtStartup();
    ASSERT_EQ(messages.calls.size(), 5u);
    const std::pair<std::string, std::string> expected[] = {
        {"A.Missing (" + missing + ")", ""},
        {std::string("B.NoEntry (") + HOST_FIXTURE_NO_CLASS_OBJECT + ")",
         ": the library has no entry point QuorbelGetClassObject"},
        {std::string("C.Refused (") + HOST_FIXTURE_CLASS_OBJECT_FAILS + ")", ": the fixture has no class objects"},
        {std::string("D.Throws (") + HOST_FIXTURE_CONNECTION_THROWS + ")", ": the fixture refuses to connect"},
        {std::string("E.Unknown (") + HOST_FIXTURE_GOOD + ")", ": unknown ProgID"},
    };
    for (std::size_t i = 0; i < messages.calls.size(); ++i) {
        const std::string &text = messages.calls[i].text;
        EXPECT_EQ(text.rfind("The add-in " + expected[i].first + " was not loaded", 0), 0u) << text;
        if (!expected[i].second.empty()) {
            EXPECT_TRUE(text.ends_with(expected[i].second)) << text;
        }
        EXPECT_EQ(messages.calls[i].title, "Quorbel Host");
        EXPECT_EQ(messages.calls[i].icon, Icon::Exclamation);
    }
    for (const char *progId : {"A.Missing", "B.NoEntry", "C.Refused", "D.Throws", "E.Unknown"})
        EXPECT_FALSE(window->addIns().isConnected(progId)) << progId;
    EXPECT_EQ(addInsEntries(), QStringList{"Add-In &Manager..."});

    // The manager lists them all unchecked; checking a broken one reports
    // again and leaves it unchecked.
    host::AddInManager manager(window->addIns(), window.get());
    ASSERT_EQ(manager.list().topLevelItemCount(), 6);
    QTreeWidgetItem *throws = manager.list().topLevelItem(3);
    EXPECT_EQ(throws->text(0), QStringLiteral("Throws"));
    throws->setCheckState(1, Qt::Checked);
    EXPECT_EQ(throws->checkState(1), Qt::Unchecked);
    EXPECT_EQ(messages.calls.size(), 6u);

    // Registering needs a library that loads and has the entry point.
    EXPECT_EQ(host::registerLibrary(missing, false, listFile).rfind(missing + ": ", 0), 0u);
    EXPECT_EQ(host::registerLibrary(HOST_FIXTURE_CLASS_OBJECT_FAILS, false, listFile), "");
}

} // namespace
} // namespace quorbel::testing

namespace quorbel::testing {
namespace {

// Runs quorbel-host with arguments in folder; its exit code and error text.
std::pair<int, QString> runHost(const QStringList &arguments, const std::filesystem::path &folder)
{
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(folder.string()));
    // No display and no platform chosen: registering must not need one.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(HOST_PROGRAM), arguments);
    if (!process.waitForFinished(30000))
        return {-1, QStringLiteral("did not finish")};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST(HostProgram, registersAndUnregistersALibraryWithoutADisplay)
{
    const auto folder = scratchFolder("host", "program");
    const QString list = QString::fromStdString((folder / "addins.ini").string());
    const std::filesystem::path library(HOST_FIXTURE_GOOD);
    // A path relative to the working folder is registered as an absolute one.
    const auto [registered, registerErrors] =
        runHost({"--addin-list", list, "--register", QString::fromStdString(library.filename().string())},
                library.parent_path());
    EXPECT_EQ(registered, 0) << registerErrors.toStdString();
    const std::vector<AddInEntry> entries = AddInList(list.toStdString()).entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].libraryPath, library.string());

    const auto [failed, failure] = runHost({"--addin-list", list, "--register", "libabsent.so"}, folder);
    EXPECT_EQ(failed, 1);
    EXPECT_TRUE(failure.startsWith(QStringLiteral("quorbel-host: libabsent.so: "))) << failure.toStdString();

    const auto [unregistered, unregisterErrors] =
        runHost({"--addin-list", list, "--unregister", QString::fromStdString(library.string())}, folder);
    EXPECT_EQ(unregistered, 0) << unregisterErrors.toStdString();
    EXPECT_TRUE(AddInList(list.toStdString()).entries().empty());
}

} // namespace
} // namespace quorbel::testing
