#pragma once

#include "dialogs/frmmetainput.h"
#include "dialogs/frmoptions.h"
#include "tests/addin/converterfixture.h"
#include "tests/support/scriptedcolourdialog.h"

#include <QApplication>
#include <QTimer>

#include <functional>
#include <memory>

namespace quorbel::testing {

// A converter window and the options dialog opened from it, loaded but not
// run modally, so that a test drives its controls directly.
struct OptionsFixture : ConverterFixture {
    ScriptedColourDialog colours;
    frmAddin *window = nullptr;
    std::unique_ptr<frmOptions> dialog;

    OptionsServices optionsServices() { return {settings, messages, colours, process.syntax}; }
    frmOptions &load(int tab = 0)
    {
        if (!window)
            window = &open();
        dialog = std::make_unique<frmOptions>(optionsServices(), window);
        dialog->TabNO = tab;
        dialog->Form_Load();
        return *dialog;
    }
    // Runs action on the next modal dialog, once it is shown (the meta tag
    // input dialog, or the options dialog itself).
    static void onModal(std::function<void(QWidget &)> action)
    {
        QTimer::singleShot(0, [action] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal)
                action(*modal);
        });
    }
};

} // namespace quorbel::testing
