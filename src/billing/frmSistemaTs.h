#pragma once

#include "billing/SistemaTs.h"

#include "ui/Dialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

// "Invio dati al Sistema TS": the year (the last one by default), the certificate of the
// Sistema TS (remembered), the documents that will go with their opposition shown, the ones
// that cannot go and why; writes the zips to a chosen folder and says what to do next. The
// protocol the site gives marks the documents of the file sent; "Leggi esito" shows each
// error of the site's outcome beside its document.
class TfrmSistemaTs : public Dialog
{
    Q_OBJECT
public:
    TfrmSistemaTs(const QString &programFolder, QWidget *parent);

    // Opens the window modally on the program folder: what the administration window's
    // button "Invio dati al Sistema TS" leads to.
    static void open(const QString &programFolder, QWidget *parent);

    QSpinBox *spnAnno;
    QLineEdit *txtCertificato;
    QPushButton *cmdCertificato;
    QCheckBox *chkDiNuovo;
    QTreeWidget *lstDocumenti;
    QLabel *lblAvvisi;
    QPushButton *cmdScrivi;
    QLabel *lblEsito;
    QLineEdit *txtProtocollo;
    QPushButton *cmdProtocollo;
    QPushButton *cmdLeggiEsito;
    QPushButton *cmdEsci;

    const SistemaTs::Selection &selection() const { return m_selection; }
    // The documents of the files written last, waiting for their protocol.
    const QList<DocumentNumber> &written() const { return m_written; }

    void refresh();
    void chooseCertificate();
    void writeFile();
    void markSent();
    void readOutcome();

private:
    QString m_folder;
    SistemaTs::Selection m_selection;
    QList<DocumentNumber> m_written;
};
