#pragma once
#include <ostream>

#include <QString>

// Lets GoogleTest print QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
