#include "chart/frmStoriaDente.h"

#include "ui/FixedList.h"
#include "ui/Theme.h"

#include <QLabel>
#include <QPushButton>

using Theme::verdana;

const QString TfrmStoriaDente::kNoEntries = QStringLiteral("Nessuna voce registrata: il dente è sano.");
const QString TfrmStoriaDente::kNotSaved = QStringLiteral(" (da salvare)");

QStringList TfrmStoriaDente::lines(const QList<Odontogram::Entry> &saved, const QList<Odontogram::Entry> &pending)
{
    QStringList out;
    for (const Odontogram::Entry &e : saved)
        out.append(Odontogram::historyLine(e));
    for (const Odontogram::Entry &e : pending)
        out.append(Odontogram::historyLine(e) + kNotSaved);
    if (out.isEmpty())
        out.append(kNoEntries);
    return out;
}

TfrmStoriaDente::TfrmStoriaDente(int fdi, const QList<Odontogram::Entry> &saved,
                                 const QList<Odontogram::Entry> &pending, QWidget *parent)
    : Dialog(parent, Place::OnOwner)
{
    setObjectName(QStringLiteral("frmStoriaDente"));
    setWindowTitle(QStringLiteral(" Storia del dente"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(600, 330);
    Theme::setGradient(this, "steel");

    QWidget *panel = Theme::panel(QStringLiteral("panContainer"), this);
    panel->setGeometry(14, 14, 572, 302);

    lblTitolo = new QLabel(QStringLiteral("Storia del dente %1: %2").arg(fdi).arg(Odontogram::toothTitle(fdi)), panel);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setTextFormat(Qt::PlainText);
    lblTitolo->setAlignment(Qt::AlignCenter);
    lblTitolo->setFont(verdana(10, false));
    lblTitolo->setStyleSheet(Theme::sheet(Theme::Sheet::BandTitle));
    lblTitolo->setGeometry(12, 12, 548, 24);

    lstStoria = new FixedList(QStringLiteral("lstStoria"), QStringLiteral("Voci del dente %1").arg(fdi), panel);
    lstStoria->setFont(verdana(9, false));
    lstStoria->setGeometry(12, 46, 548, 200);
    const QStringList shown = lines(saved, pending);
    lstStoria->setLines(shown);
    // Opens on the latest entry, the last in date order.
    if (!saved.isEmpty() || !pending.isEmpty())
        lstStoria->setCurrentRow(int(shown.size()) - 1);
    lstStoria->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // the lines fit its width

    btnChiudi = Theme::textButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), panel);
    btnChiudi->setGeometry(440, 258, 120, 30);
    btnChiudi->setStyleSheet(Theme::sheet(Theme::Sheet::SmallButton));
    btnChiudi->setDefault(true);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::close);
    setTabOrder(lstStoria, btnChiudi);
    lstStoria->setFocus();
}
