#pragma once

#include "host/mainwindow.h"
#include "platform/qt/qtclipboard.h"
#include "tests/support/recordingmessageboxes.h"
#include "tests/support/scratchfiles.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include <memory>

namespace quorbel::testing {

// A host main window on the real clipboard with recorded message boxes and
// an add-in list of its own in a scratch folder.
class HostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = scratchFolder("host", std::string(info->test_suite_name()) + "." + info->name());
        listFile = (folder / "addins.ini").string();
        window = std::make_unique<host::MainWindow>(host::MainWindow::Services{messages, clipboard, listFile});
    }

    // The actions of the "Add-Ins" menu that are not separators, by text.
    QStringList addInsEntries() const
    {
        QStringList texts;
        for (const QAction *action : window->addInsMenu().actions()) {
            if (!action->isSeparator())
                texts << action->text();
        }
        return texts;
    }

    RecordingMessageBoxes messages;
    QtClipboard clipboard;
    std::filesystem::path folder;
    std::string listFile;
    std::unique_ptr<host::MainWindow> window;
};

} // namespace quorbel::testing
