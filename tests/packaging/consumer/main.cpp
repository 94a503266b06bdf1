// Creates a progress bar of the installed Zentrim by its class name and
// opens the installed add-in library as a host would: checks the version
// the library reports and that it hands out the converter's class object.
#include "platform/addinabi.h"
#include "probar/probar.h"
#include "probar/zentrim.h"

#include <QApplication>

#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

int fail(const char *what)
{
    std::fprintf(stderr, "consumer: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QString error;
    std::unique_ptr<QWidget> control(zentrim::createControl(QStringLiteral("Zentrim.ProBar"), nullptr, &error));
    auto *bar = qobject_cast<zentrim::ProBar *>(control.get());
    if (bar == nullptr)
        return fail(qPrintable("no ProBar: " + error));
    bar->setMax(10);
    bar->setValue(4);
    if (bar->Value() != 4 || bar->property("Max").toInt() != 10)
        return fail("the ProBar does not keep its Max and Value");

    void *library = dlopen(ADDIN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        return fail(dlerror());
    auto version = reinterpret_cast<QuorbelTextFn>(dlsym(library, quorbel::abi::kVersionEntry));
    auto classObject = reinterpret_cast<QuorbelGetClassObjectFn>(dlsym(library, quorbel::abi::kGetClassObjectEntry));
    if (version == nullptr || classObject == nullptr)
        return fail("the add-in library lacks its entry points");
    char text[256] = "";
    if (classObject("Quorbel.Wizard", text, sizeof text) == nullptr)
        return fail(text);
    std::printf("ProBar made by class name (Zentrim %s); add-in library %s, version %s\n", zentrim_version(),
                ADDIN_LIBRARY, version());
    // The package configuration's version is the library's.
    return std::strcmp(version(), QUORBEL_VERSION) == 0 ? 0 : fail("the add-in library reports another version");
}
