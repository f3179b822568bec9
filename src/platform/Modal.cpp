#include "platform/Modal.h"

#include <QDialog>
#include <QPointer>

namespace {
bool g_test = false;
QList<Modal::Driver> g_drivers;
QStringList g_opened;
} // namespace

int Modal::run(QDialog *dialog)
{
    QPointer<QDialog> guard(dialog);
    int result = QDialog::Rejected;
    if (!g_test) {
        result = dialog->exec();
    } else {
        g_opened.append(dialog->objectName());
        dialog->setModal(true);
        dialog->show();
        if (!g_drivers.isEmpty()) {
            const Driver driver = g_drivers.takeFirst();
            driver(dialog);
        }
        if (guard) {
            if (guard->isVisible())
                guard->reject();
            result = guard->result();
        }
    }
    delete guard.data();
    return result;
}

void Modal::setTestMode(bool on)
{
    g_test = on;
    g_drivers.clear();
    g_opened.clear();
}

void Modal::queue(Driver driver) { g_drivers.append(std::move(driver)); }

QStringList Modal::takeOpened() { return std::exchange(g_opened, {}); }

bool Modal::inTestMode() { return g_test; }
