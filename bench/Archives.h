#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

// Archives of realistic contents for the benchmark, written straight into a program folder.
namespace Archives {

struct Sizes
{
    int appointments = 100000; // a third of them imminent
    int patients = 50000;
    int treatments = 2000; // in the treatment file of patient 1
};

void write(const QString &folder, const Sizes &sizes, const QDate &today);

// A benchmark's command line: "--name value" pairs.
class Options
{
public:
    explicit Options(const QStringList &arguments);
    bool has(const QString &name) const { return m_values.contains(name); }
    QString text(const QString &name) const { return m_values.value(name); }
    int number(const QString &name, int fallback) const;
    // --appointments, --patients and --treatments over the given sizes.
    Sizes sizes(Sizes sizes = {}) const;

private:
    QHash<QString, QString> m_values; // by name, "--" included
};

} // namespace Archives
