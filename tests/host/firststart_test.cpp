#include "host/addinhost.h"
#include "host/firststart.h"
#include "platform/qt/addinlist.h"
#include "tests/support/scratchfiles.h"

#include <gtest/gtest.h>

namespace quorbel::testing {
namespace {

TEST(FirstStartTest, theInstalledLibraryIsBesideTheProgramFolder)
{
    EXPECT_EQ(host::installedAddInLibrary("/usr/bin", "lib/x86_64-linux-gnu"),
              std::filesystem::path("/usr/lib/x86_64-linux-gnu/libquorbel.so.1"));
    EXPECT_EQ(host::installedAddInLibrary("/opt/q/bin", "lib"), std::filesystem::path("/opt/q/lib/libquorbel.so.1"));
    EXPECT_EQ(host::installedAddInLibrary("/opt/q/bin", "/srv/libs"),
              std::filesystem::path("/srv/libs/libquorbel.so.1"));
}

TEST(FirstStartTest, registersTheAddInOnceWhenTheUserHasNoListYet)
{
    const std::filesystem::path folder = scratchFolder("host", "FirstStart.registersOnce");
    const std::string listFile = (folder / "config" / "addins.ini").string();

    ASSERT_EQ(host::registerOnFirstStart(listFile, QUORBEL_ADDIN_LIBRARY), "");
    const std::vector<AddInEntry> entries = AddInList(listFile).entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].progId, "Quorbel.Wizard");
    EXPECT_TRUE(entries[0].loadAtStartup);
    EXPECT_TRUE(std::filesystem::equivalent(entries[0].libraryPath, QUORBEL_ADDIN_LIBRARY));

    // The user unregisters it: a later start leaves the list as it is.
    ASSERT_EQ(host::registerLibrary(QUORBEL_ADDIN_LIBRARY, true, listFile), "");
    ASSERT_TRUE(AddInList(listFile).entries().empty());
    EXPECT_EQ(host::registerOnFirstStart(listFile, QUORBEL_ADDIN_LIBRARY), "");
    EXPECT_TRUE(AddInList(listFile).entries().empty());
}

TEST(FirstStartTest, aHostWithoutAnInstalledLibraryWritesNoList)
{
    const std::filesystem::path folder = scratchFolder("host", "FirstStart.noLibrary");
    const std::string listFile = (folder / "addins.ini").string();
    EXPECT_EQ(host::registerOnFirstStart(listFile, folder / "lib" / "libquorbel.so.1"), "");
    EXPECT_FALSE(std::filesystem::exists(listFile));
    // No list to write (no HOME and no --addin-list): nothing is tried.
    EXPECT_EQ(host::registerOnFirstStart("", QUORBEL_ADDIN_LIBRARY), "");
}

TEST(FirstStartTest, aLibraryThatIsNoAddInIsReported)
{
    const std::filesystem::path folder = scratchFolder("host", "FirstStart.notAnAddIn");
    const std::filesystem::path library = folder / "lib" / "libquorbel.so.1";
    writeBytes(library, "not a shared library\n");
    const std::string listFile = (folder / "addins.ini").string();
    const std::string error = host::registerOnFirstStart(listFile, library);
    EXPECT_NE(error.find(library.string()), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(listFile));
}

} // namespace
} // namespace quorbel::testing
