#pragma once

#include "addin/frmaddin.h"
#include "codebox/codeboxshared.h"
#include "engine/processstate.h"
#include "engine/settings.h"
#include "platform/settings/memorysettingsstore.h"
#include "tests/support/fakevbe.h"
#include "tests/support/fixedclock.h"
#include "tests/support/memoryclipboard.h"
#include "tests/support/recordingmessageboxes.h"
#include "tests/support/scratchfiles.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/scriptedprinterchooser.h"

#include <QPointer>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace quorbel::testing {

// The seams and the per-process state of converter windows, a fake
// environment with one code window, and the windows made, closed at the end.
struct ConverterFixture {
    MemorySettingsStore settings;
    RecordingMessageBoxes messages;
    ScriptedFileDialogs dialogs;
    RecordingShell shell;
    FixedClock clock;
    MemoryClipboard clipboard;
    // Prints of the windows' code boxes go into printed.pdf, in a folder of
    // the test's own (tests run side by side).
    ScriptedPrinterChooser printers{QString::fromStdString((printFolder() / "printed.pdf").string())};
    ProcessState process;
    PageState &pages = process.page;
    CodeBoxShared &codeBoxes = process.codeBox;
    FakeVbe environment{clipboard};
    FakeVbe::Pane pane;
    std::vector<QPointer<frmAddin>> windows;

    ConverterFixture()
    {
        pane.caption = "Project1 - Module1 (Code)";
        pane.lines = {"Option Explicit", "' a comment", "Public Sub Main()", "    MsgBox \"Hi\"", "End Sub"};
        environment.activePane = &pane;
    }
    ~ConverterFixture()
    {
        for (auto &w : windows)
            delete w.data();
    }
    ConverterServices services() { return {settings, messages, dialogs, shell, clock, clipboard, printers, process}; }
    // A new window on the environment, as the add-in's menu entry makes one.
    frmAddin &open(ConverterDialogs dialogs = {})
    {
        auto *window = new frmAddin(services(), std::move(dialogs));
        window->VBInstance = &environment;
        windows.emplace_back(window);
        return *window;
    }
    static std::filesystem::path printFolder()
    {
        const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
        return scratchFolder("converter-print", test == nullptr
                                                    ? std::string("none")
                                                    : std::string(test->test_suite_name()) + "." + test->name());
    }
    std::string stored(std::string_view key) const { return readText(settings, key, "<none>"); }
    void store(std::string_view key, std::string_view value)
    {
        settings.set(kSettingsApp, kSettingsSection, key, value);
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> list;
        for (const auto &call : messages.calls)
            list.push_back(call.text);
        return list;
    }
};

} // namespace quorbel::testing
