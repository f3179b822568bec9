#include "ui/Help.h"

#include "ui/LinkLabel.h"
#include "ui/PictureButton.h"
#include "ui/Theme.h"
#include "platform/Misc.h"
#include "platform/Modal.h"
#include "platform/ProgramFolder.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmGuida::TfrmGuida(QWidget *parent) : Dialog(parent)
{
    setObjectName(QStringLiteral("frmGuida"));
    setWindowTitle(QStringLiteral(" Guida all'utilizzo del software"));
    Theme::setGradient(this, "light");
    Theme::makeFixedDialog(this, 670, 572);

    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setProperty("role", QStringLiteral("container"));
    panContainer->setFixedSize(642, 540);

    shpSfondo = Theme::panel(QStringLiteral("shpSfondo"), panContainer);
    imgLogo = Theme::picture(QStringLiteral("imgLogo"), QStringLiteral("logo"), 205, 100, shpSfondo);
    auto *logoBox = new QVBoxLayout(shpSfondo);
    logoBox->setContentsMargins(0, 2, 0, 2);
    logoBox->addWidget(imgLogo, 0, Qt::AlignCenter);

    lblTitolo = new QLabel(QStringLiteral("Argomento della guida."), panContainer);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    QFont title = Theme::helpTitle();
    title.setPixelSize(21);
    title.setBold(true);
    lblTitolo->setFont(title);
    lblTitolo->setStyleSheet(Theme::textColour(Theme::Colour::Alert));

    txtGuida = new QPlainTextEdit(panContainer);
    txtGuida->setObjectName(QStringLiteral("txtGuida"));
    txtGuida->setReadOnly(true);
    txtGuida->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QFont body = Theme::verdana(11, true);
    body.setPixelSize(15);
    txtGuida->setFont(body);
    txtGuida->setStyleSheet(Theme::sheet(Theme::Sheet::HelpText));
    lblTitolo->setBuddy(txtGuida);

    imgPDF = new PictureButton(QStringLiteral("imgPDF"), QStringLiteral("pdf"),
                               QStringLiteral("Visualizza guida in formato PDF"), panContainer);
    imgPDF->setPictureSize(QSize(30, 30));
    lnkWeb = new LinkLabel(QStringLiteral("lnkWeb"), QStringLiteral("Visualizza guida in formato PDF"), panContainer);
    lnkWeb->attachIcon(imgPDF);
    btnChiudi = Theme::textButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), panContainer);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(imgPDF);
    bottom->addWidget(lnkWeb);
    bottom->addStretch();
    bottom->addWidget(btnChiudi);
    auto *column = new QVBoxLayout(panContainer);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(shpSfondo);
    column->addWidget(lblTitolo);
    column->addWidget(txtGuida, 1);
    column->addLayout(bottom);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(panContainer, 0, Qt::AlignCenter);

    connect(lnkWeb, &LinkLabel::clicked, this, &TfrmGuida::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmGuida::btnChiudiClick);
}

void TfrmGuida::FormShow() { btnChiudi->setFocus(); }

void TfrmGuida::lnkWebClick()
{
    TMisc::Open(QLatin1Char('"') + ProgramFolder::file(QStringLiteral("Guida.pdf")) + QLatin1Char('"'));
}

void TfrmGuida::btnChiudiClick() { close(); }

namespace Help {

void show(QWidget *caller, Topic t)
{
    auto *window = new TfrmGuida(caller);
    const TopicText text = topic(t);
    window->lblTitolo->setText(text.title);
    // Paragraphs are joined by "\r\n\r\n"; the text box wants plain line feeds.
    window->txtGuida->setPlainText(QString(text.text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    Modal::run(window);
}

} // namespace Help
