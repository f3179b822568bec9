#pragma once

#include "ui/Dialog.h"
#include <QString>

class LinkLabel;
class PictureButton;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The help window: one topic, a title and a few paragraphs, and the link to the PDF manual.
class TfrmGuida : public Dialog
{
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget *parent = nullptr);

    QWidget *panContainer;
    QWidget *shpSfondo;
    QLabel *imgLogo;
    QLabel *lblTitolo;
    QPlainTextEdit *txtGuida;
    PictureButton *imgPDF;
    LinkLabel *lnkWeb;
    QPushButton *btnChiudi;

    void lnkWebClick();
    void btnChiudiClick();

protected:
    void FormShow() override;
};

namespace Help {

enum Topic { Overview, Clients, Scadenze, Agenda, ExpClients, ExpScadenzario, Visualizzazione };

struct TopicText
{
    QString title;
    QString text; // paragraphs joined by "\r\n\r\n"
};
TopicText topic(Topic t);

// Fills a fresh help window, owned by the caller, with the topic and shows it modally.
void show(QWidget *caller, Topic t);

} // namespace Help
