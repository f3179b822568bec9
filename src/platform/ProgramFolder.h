#pragma once

#include <QString>

// The program folder: where the executable, the record files and the delivered files lie.
// main() sets it from the executable's own folder; tests set a temporary folder.
class ProgramFolder
{
public:
    static void set(const QString &folder);
    static QString path();                    // with a trailing separator
    static QString file(const QString &name); // path() + name
};
