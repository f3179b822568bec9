#pragma once

#include <QDate>
#include <QDateTime>

// The one clock of the program. Tests fix it; nothing else asks the system for the date.
class Clock
{
public:
    static QDateTime now();
    static QDate today() { return now().date(); }

    static void setFixed(const QDateTime &moment); // tests
    static void reset();
};
