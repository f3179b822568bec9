#pragma once

#include <QDate>
#include <QString>

// Archives of realistic contents for the benchmark, written straight into a program folder.
namespace Archives {

struct Sizes
{
    int appointments = 100000; // a third of them imminent
    int patients = 50000;
    int treatments = 2000; // in the treatment file of patient 1
};

void write(const QString &folder, const Sizes &sizes, const QDate &today);

} // namespace Archives
