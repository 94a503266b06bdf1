// A host that knows only the entry point: it creates a progress bar by class
// name, sets it through its property names and checks the unknown-name error.
#include "probar/zentrim.h"

#include <QApplication>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (std::strcmp(zentrim_version(), "1.0.0") != 0) {
        std::fprintf(stderr, "unexpected version %s\n", zentrim_version());
        return 1;
    }
    QString error;
    std::unique_ptr<QWidget> bar(zentrim::createControl(QStringLiteral("Zentrim.ProBar"), nullptr, &error));
    if (!bar) {
        std::fprintf(stderr, "no ProBar: %s\n", qPrintable(error));
        return 1;
    }
    bar->setProperty("Max", 10);
    bar->setProperty("Value", 25);
    if (bar->property("Value").toInt() != 10) {
        std::fprintf(stderr, "Value is %d, not clamped to Max 10\n", bar->property("Value").toInt());
        return 1;
    }
    if (zentrim::createControl(QStringLiteral("Zentrim.Gauge"), nullptr, &error) || error.isEmpty()) {
        std::fprintf(stderr, "an unknown class name gave no error\n");
        return 1;
    }
    std::printf("%s\n", qPrintable(error));
    return 0;
}
