#pragma once

#include "chart/Odontogram.h"
#include "ui/Dialog.h"

class FixedList;
class QLabel;
class QPushButton;

// The history of one tooth of the odontogram: its dated entries in date order,
// the latest last, then its change not yet saved with the card; it opens on the latest. Only
// for reading.
class TfrmStoriaDente : public Dialog
{
    Q_OBJECT
public:
    TfrmStoriaDente(int fdi, const QList<Odontogram::Entry> &saved, const QList<Odontogram::Entry> &pending,
                    QWidget *parent);

    QLabel *lblTitolo;
    FixedList *lstStoria;
    QPushButton *btnChiudi;

    // The lines shown: "10/12/2026 09:30   otturazione presente, superfici DO", a change
    // not saved with " (da salvare)" after it; one line saying so when there is none.
    static QStringList lines(const QList<Odontogram::Entry> &saved, const QList<Odontogram::Entry> &pending);
    static const QString kNoEntries;
    static const QString kNotSaved;
};
