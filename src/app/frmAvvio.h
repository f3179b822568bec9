#pragma once

#include <QDate>
#include <QWidget>

class PictureButton;
class QLabel;

// The main menu: opens the patient archive and the agenda, help, about and copyright.
class TfrmAvvio : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget *parent = nullptr);

    // The maker's web site, opened by the banner and the copyright window.
    static const QString kWebSite;

    QWidget *panContainer;
    QWidget *shpTop;
    QWidget *shpBottom;
    QWidget *shpApp01;
    QWidget *shpApp02;
    QLabel *icoIcona;
    QLabel *icoTitolo01;
    QLabel *imgSottotitolo;
    PictureButton *imgApp01;
    PictureButton *btnApp01;
    PictureButton *imgApp02;
    PictureButton *btnApp02;
    PictureButton *imgGuida;
    PictureButton *imgInfo;
    PictureButton *imgCopyright;
    PictureButton *imgSito;
    PictureButton *imgEsci;
    PictureButton *imgCopia;           // backup and restore
    PictureButton *imgAmministrazione; // the practice's administration

    void imgApp01Click();
    void imgApp02Click();
    void imgGuidaClick();
    void imgInfoClick();
    void imgCopyrightClick();
    void imgSitoClick();
    void imgEsciClick();
    void imgCopiaClick();
    void imgAmministrazioneClick();
    // Once a day, while the last backup is more than 7 days old (or there is none) and there
    // are cards to lose: says so and offers to make one now.
    void remindBackup();

signals:
    // "ARCHIVIO PAZIENTI" and "AGENDA APPUNTAMENTI": the patient card, the agenda (this
    // window hides).
    void patientsRequested();
    void agendaRequested();
    // "AMMINISTRAZIONE STUDIO": the practice's administration (over this window).
    void administrationRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Each showing starts on the first choice, "ARCHIVIO PAZIENTI", and reminds of an old
    // backup.
    void showEvent(QShowEvent *event) override;

private:
    // The day the backup reminder was shown in this session: once a day also where the program
    // folder cannot take the note (a read-only stick).
    QDate m_remindedToday;
};
