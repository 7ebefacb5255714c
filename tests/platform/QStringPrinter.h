#pragma once

#include <QString>

#include <ostream>

// Lets GoogleTest print QString values as text in failure messages.
inline void PrintTo(const QString& text, std::ostream* stream) {
    *stream << '"' << text.toStdString() << '"';
}
