#pragma once

#include "addin/frmaddin.h"
#include "dialogs/frmoptions.h"

#include <functional>

namespace quorbel {

// What a converter window's options entries and its conversion call: the
// options dialog on tab for that window, shown modally over it.
inline std::function<void(frmAddin &, int)> optionsOpener(OptionsServices services)
{
    return [services](frmAddin &window, int tab) {
        frmOptions dialog(services, &window, &window);
        dialog.TabNO = tab;
        dialog.showModal();
    };
}

} // namespace quorbel
