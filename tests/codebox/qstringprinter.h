#pragma once

#include <QString>

#include <ostream>

// Lets GoogleTest show a QString in a failure message as its text.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
