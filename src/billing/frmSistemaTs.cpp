#include "billing/frmSistemaTs.h"

#include "platform/Clock.h"
#include "platform/FileDialog.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "storage/RecordFile.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { ColDocument, ColDate, ColPatient, ColAmount, ColOpposition, ColSent, ColOutcome };

template <class W> W *named(W *w, const QString &object, const QString &accessible)
{
    w->setObjectName(object);
    w->setAccessibleName(accessible);
    return w;
}

} // namespace

TfrmSistemaTs::TfrmSistemaTs(const QString &programFolder, QWidget *parent)
    : Dialog(parent, Place::OnOwner), m_folder(programFolder)
{
    setObjectName(QStringLiteral("frmSistemaTs"));
    setWindowTitle(QStringLiteral("Invio dati al Sistema TS"));
    resize(820, 560);

    spnAnno = named(new QSpinBox(this), QStringLiteral("spnAnno"), QStringLiteral("Anno"));
    spnAnno->setRange(2000, 2999);
    spnAnno->setValue(Clock::today().year() - 1);
    txtCertificato =
        named(new QLineEdit(this), QStringLiteral("txtCertificato"), QStringLiteral("Certificato del Sistema TS"));
    txtCertificato->setReadOnly(true);
    txtCertificato->setText(SistemaTs::Settings::read(m_folder).certificate);
    cmdCertificato = named(new QPushButton(QStringLiteral("&Scegli..."), this), QStringLiteral("cmdCertificato"),
                           QStringLiteral("Scegli il certificato"));
    chkDiNuovo = named(new QCheckBox(QStringLiteral("Includi anche i documenti già inviati"), this),
                       QStringLiteral("chkDiNuovo"), QStringLiteral("Includi anche i documenti già inviati"));
    lstDocumenti = named(new QTreeWidget(this), QStringLiteral("lstDocumenti"), QStringLiteral("Documenti da inviare"));
    lstDocumenti->setRootIsDecorated(false);
    lstDocumenti->setHeaderLabels({QStringLiteral("Documento"), QStringLiteral("Data"), QStringLiteral("Paziente"),
                                   QStringLiteral("Importo"), QStringLiteral("Opposizione"), QStringLiteral("Inviato"),
                                   QStringLiteral("Esito")});
    lstDocumenti->header()->setSectionResizeMode(ColPatient, QHeaderView::Stretch);
    lblAvvisi = named(new QLabel(this), QStringLiteral("lblAvvisi"), QStringLiteral("Avvisi"));
    lblAvvisi->setWordWrap(true);
    lblAvvisi->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    cmdScrivi = named(new QPushButton(QStringLiteral("Sc&rivi il file..."), this), QStringLiteral("cmdScrivi"),
                      QStringLiteral("Scrivi il file"));
    lblEsito = named(new QLabel(this), QStringLiteral("lblEsito"), QStringLiteral("File scritto"));
    lblEsito->setWordWrap(true);
    lblEsito->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtProtocollo = named(new QLineEdit(this), QStringLiteral("txtProtocollo"), QStringLiteral("Protocollo"));
    txtProtocollo->setMaxLength(17);
    txtProtocollo->setPlaceholderText(QStringLiteral("17 cifre"));
    cmdProtocollo = named(new QPushButton(QStringLiteral("Segna come &inviati"), this), QStringLiteral("cmdProtocollo"),
                          QStringLiteral("Segna come inviati"));
    cmdLeggiEsito = named(new QPushButton(QStringLiteral("&Leggi esito..."), this), QStringLiteral("cmdLeggiEsito"),
                          QStringLiteral("Leggi esito"));
    cmdEsci = named(new QPushButton(QStringLiteral("&Esci"), this), QStringLiteral("cmdEsci"), QStringLiteral("Esci"));

    auto *top = new QGridLayout;
    auto *yearLabel = new QLabel(QStringLiteral("&Anno delle spese:"), this);
    yearLabel->setBuddy(spnAnno);
    auto *certLabel = new QLabel(QStringLiteral("&Certificato del Sistema TS:"), this);
    certLabel->setBuddy(txtCertificato);
    top->addWidget(yearLabel, 0, 0);
    top->addWidget(spnAnno, 0, 1, Qt::AlignLeft);
    top->addWidget(chkDiNuovo, 0, 2);
    top->addWidget(certLabel, 1, 0);
    top->addWidget(txtCertificato, 1, 1, 1, 2);
    top->addWidget(cmdCertificato, 1, 3);
    top->setColumnStretch(2, 1);
    auto *after = new QHBoxLayout;
    auto *protocolLabel = new QLabel(QStringLiteral("&Protocollo ricevuto:"), this);
    protocolLabel->setBuddy(txtProtocollo);
    after->addWidget(protocolLabel);
    after->addWidget(txtProtocollo);
    after->addWidget(cmdProtocollo);
    after->addStretch();
    after->addWidget(cmdLeggiEsito);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdScrivi);
    buttons->addStretch();
    buttons->addWidget(cmdEsci);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(lstDocumenti, 1);
    all->addWidget(lblAvvisi);
    all->addLayout(buttons);
    all->addWidget(lblEsito);
    all->addLayout(after);

    connect(spnAnno, &QSpinBox::valueChanged, this, &TfrmSistemaTs::refresh);
    connect(chkDiNuovo, &QCheckBox::toggled, this, &TfrmSistemaTs::refresh);
    connect(cmdCertificato, &QPushButton::clicked, this, &TfrmSistemaTs::chooseCertificate);
    connect(cmdScrivi, &QPushButton::clicked, this, &TfrmSistemaTs::writeFile);
    connect(cmdProtocollo, &QPushButton::clicked, this, &TfrmSistemaTs::markSent);
    connect(cmdLeggiEsito, &QPushButton::clicked, this, &TfrmSistemaTs::readOutcome);
    connect(cmdEsci, &QPushButton::clicked, this, &QDialog::reject);
    cmdProtocollo->setEnabled(false);
    refresh();
}

void TfrmSistemaTs::open(const QString &programFolder, QWidget *parent)
{
    // Modal::run deletes the window when it is closed.
    Modal::run(new TfrmSistemaTs(programFolder, parent));
}

void TfrmSistemaTs::refresh()
{
    lstDocumenti->clear();
    const PracticeData practice = [&] {
        try {
            return PracticeData::read(m_folder);
        } catch (const StorageError &) {
            return PracticeData();
        }
    }();
    try {
        m_selection = SistemaTs::select(m_folder, spnAnno->value(), practice, SistemaTs::Settings::read(m_folder),
                                        chkDiNuovo->isChecked());
    } catch (const StorageError &) {
        m_selection = {};
        Messages::error(this, kArchiveFailure);
    }
    for (const SistemaTs::Entry &e : m_selection.entries) {
        const Invoices::Invoice &d = e.document;
        auto *item = new QTreeWidgetItem(lstDocumenti);
        item->setText(ColDocument, Invoices::kindCaption(d.kind) + QLatin1Char(' ') + d.number.text());
        item->setText(ColDate, Money::dateText(d.date));
        item->setText(ColPatient, d.patient.name);
        item->setText(ColAmount, Money::euro(d.totalCents));
        item->setTextAlignment(ColAmount, Qt::AlignRight | Qt::AlignVCenter);
        item->setText(ColOpposition, d.opposition ? QStringLiteral("Sì") : QString());
        if (d.sent)
            item->setText(ColSent, QStringLiteral("%1 del %2").arg(d.protocol, Money::dateText(d.sentDate)));
    }
    QStringList warnings;
    if (!m_selection.practiceProblem.isEmpty())
        warnings << m_selection.practiceProblem;
    for (const SistemaTs::Problem &p : m_selection.left)
        warnings << QStringLiteral("Non inviabile: ") + p.text;
    if (m_selection.entries.isEmpty())
        warnings.prepend(QStringLiteral("Nessun documento del %1 da inviare.").arg(spnAnno->value()));
    else
        warnings.prepend(QStringLiteral("Documenti da inviare: %1.").arg(m_selection.entries.size()));
    lblAvvisi->setText(warnings.join(QLatin1Char('\n')));
    cmdScrivi->setEnabled(!m_selection.entries.isEmpty() && m_selection.practiceProblem.isEmpty());
}

void TfrmSistemaTs::chooseCertificate()
{
    const QString path = FileDialog::getOpenFileName(
        this, QStringLiteral("Certificato del Sistema TS"), QFileInfo(txtCertificato->text()).absolutePath(),
        QStringLiteral("Certificati (*.cer *.crt *.pem *.der);;Tutti i file (*)"));
    if (path.isEmpty())
        return;
    QString problem;
    if (!SistemaTs::Certificate::load(path, Clock::today(), &problem)) {
        Messages::warning(this, problem);
        return;
    }
    txtCertificato->setText(path);
    SistemaTs::Settings settings = SistemaTs::Settings::read(m_folder);
    settings.certificate = path;
    if (!settings.write(m_folder))
        Messages::warning(this, QStringLiteral("Il certificato è stato scelto, ma non si è potuto ricordarlo per la "
                                               "prossima volta: la cartella del programma non si può scrivere."));
}

void TfrmSistemaTs::writeFile()
{
    if (txtCertificato->text().isEmpty()) {
        Messages::warning(this, QStringLiteral("Scegliere prima il certificato del Sistema TS."));
        return;
    }
    const QString folder = FileDialog::getExistingDirectory(this, QStringLiteral("Cartella in cui scrivere il file"));
    if (folder.isEmpty())
        return;
    SistemaTs::Run run;
    try {
        run = SistemaTs::make(m_folder, spnAnno->value(), txtCertificato->text(), folder, Clock::today(),
                              chkDiNuovo->isChecked());
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
        return;
    }
    if (run.status != SistemaTs::Run::Done) {
        Messages::warning(this, run.message);
        return;
    }
    m_written.clear();
    for (const QList<DocumentNumber> &numbers : run.written.contents)
        m_written += numbers;
    QStringList names;
    for (const QString &p : run.written.paths)
        names << QDir::toNativeSeparators(p);
    const QString text =
        QStringLiteral("Scritto: %1\n\nOra caricare il file sul sito del Sistema TS (area riservata, \"Invio "
                       "dati spese sanitarie\"), poi scrivere qui il numero di protocollo che il sito restituisce e "
                       "premere \"Segna come inviati\".")
            .arg(names.join(QStringLiteral(", ")));
    lblEsito->setText(text);
    cmdProtocollo->setEnabled(true);
    Messages::information(this, text);
}

void TfrmSistemaTs::markSent()
{
    if (!SistemaTs::isProtocol(txtProtocollo->text())) {
        Messages::warning(this, QStringLiteral("Il protocollo del Sistema TS è di 17 cifre."));
        txtProtocollo->setFocus();
        return;
    }
    if (m_written.isEmpty())
        return;
    try {
        const int marked = SistemaTs::markSent(m_folder, m_written, txtProtocollo->text(), Clock::today());
        lblEsito->setText(QStringLiteral("Documenti segnati come inviati con il protocollo %1: %2.")
                              .arg(txtProtocollo->text().trimmed())
                              .arg(marked));
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
        return;
    }
    m_written.clear();
    txtProtocollo->clear();
    cmdProtocollo->setEnabled(false);
    refresh();
}

void TfrmSistemaTs::readOutcome()
{
    const QString path = FileDialog::getOpenFileName(this, QStringLiteral("Esito del Sistema TS"), {},
                                                     QStringLiteral("Esito (*.zip *.csv);;Tutti i file (*)"));
    if (path.isEmpty())
        return;
    QString problem;
    const auto errors = SistemaTs::readOutcome(path, &problem);
    if (!errors) {
        Messages::warning(this, problem);
        return;
    }
    // The errors name documents already sent: show the year's documents all, each with its errors.
    if (!chkDiNuovo->isChecked())
        chkDiNuovo->setChecked(true);
    int shown = 0;
    QStringList unknown;
    for (const SistemaTs::OutcomeError &e : *errors) {
        const QString text = e.code + QStringLiteral(" ") + e.description;
        bool found = false;
        for (int i = 0; i < lstDocumenti->topLevelItemCount(); ++i) {
            QTreeWidgetItem *item = lstDocumenti->topLevelItem(i);
            if (item->text(ColDocument).endsWith(QLatin1Char(' ') + e.number)
                && item->text(ColDate) == Money::dateText(e.date)) {
                const QString before = item->text(ColOutcome);
                item->setText(ColOutcome, before.isEmpty() ? text : before + QStringLiteral("; ") + text);
                item->setToolTip(ColOutcome, item->text(ColOutcome));
                found = true;
            }
        }
        if (found)
            ++shown;
        else
            unknown << e.number + QStringLiteral(": ") + text;
    }
    QString summary = errors->isEmpty() ? QStringLiteral("L'esito non riporta errori.")
                                        : QStringLiteral("Errori nell'esito: %1.").arg(errors->size());
    if (!unknown.isEmpty())
        summary += QStringLiteral("\nDocumenti non trovati: ") + unknown.join(QStringLiteral("; "));
    lblEsito->setText(summary);
}
