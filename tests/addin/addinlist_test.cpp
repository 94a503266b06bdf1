#include "platform/qt/addinlist.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>

namespace quorbel {
namespace {

TEST(AddInList, EntriesArePutReplacedAndRemovedByProgId)
{
    QTemporaryDir dir;
    AddInList list((dir.path() + "/nested/addins.ini").toStdString());
    EXPECT_TRUE(list.entries().empty()); // no file yet
    EXPECT_FALSE(list.remove("Quorbel.Wizard"));

    list.put({"Quorbel.Wizard", "Halvern'   Quorbel", "/usr/lib/libquorbel.so.1", true});
    list.put({"Other.Connect", "Other", "/opt/other.so", false});
    list.put({"Quorbel.Wizard", "Halvern'   Quorbel", "/home/u/libquorbel.so", true}); // replaces

    const std::vector<AddInEntry> entries = list.entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].progId, "Other.Connect");
    EXPECT_FALSE(entries[0].loadAtStartup);
    EXPECT_EQ(entries[1].progId, "Quorbel.Wizard");
    EXPECT_EQ(entries[1].displayName, "Halvern'   Quorbel"); // blanks and apostrophe kept
    EXPECT_EQ(entries[1].libraryPath, "/home/u/libquorbel.so");
    EXPECT_TRUE(entries[1].loadAtStartup);

    EXPECT_TRUE(list.remove("Quorbel.Wizard"));
    ASSERT_EQ(list.entries().size(), 1u);
    EXPECT_THROW(list.put({"a/b", "x", "y", true}), AddInListError);
}

TEST(AddInList, DefaultFileFollowsTheConfigFolder)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/cfg");
    EXPECT_EQ(AddInList::defaultFile(), "/tmp/cfg/quorbel/addins.ini");
    qputenv("XDG_CONFIG_HOME", "relative"); // not absolute: ignored
    EXPECT_NE(AddInList::defaultFile(), "relative/quorbel/addins.ini");
    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
}

} // namespace
} // namespace quorbel
