#include "patients/frmTaxChecks.h"

#include "patients/PatientCard.h"
#include "patients/TaxChecks.h"
#include "platform/Messages.h"
#include "ui/ListPage.h"
#include "ui/Theme.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kHeight = 254;
constexpr int kFieldTop = 104;

} // namespace

TaxCheckWindow::TaxCheckWindow(QWidget *parent, const char *objectName, const QString &caption, int width,
                               const QString &banner, const QString &picture, const QString &instruction)
    : Dialog(parent)
{
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(caption);
    Theme::setGradient(this, "steel");
    Theme::makeFixedDialog(this, width, kHeight);

    imgBanner = new ListBanner(QStringLiteral("imgBanner"), banner, picture, QString(), this, ListBanner::Tint::Blue);
    imgBanner->setTitlePixels(22);
    imgBanner->setTitleColour(Theme::colour(Theme::Colour::Heading));
    imgBanner->setGeometry(10, 10, width - 20, 53);

    lblTitolo = new QLabel(instruction, this);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setTextFormat(Qt::PlainText);
    lblTitolo->setFont(Theme::verdana(8, true));
    lblTitolo->setStyleSheet(Theme::textColour(Theme::Colour::Paper));
    lblTitolo->setAlignment(Qt::AlignCenter);
    lblTitolo->setWordWrap(true);
    lblTitolo->setGeometry(10, 68, width - 20, 32);

    btnControlla = Theme::textButton(QStringLiteral("btnControlla"), QStringLiteral("Controlla"), this);
    btnChiudi = Theme::textButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), this);
    btnChiudi->setGeometry((width - 140) / 2, 190, 140, 36);

    connect(btnChiudi, &QPushButton::clicked, this, &TaxCheckWindow::btnChiudiClick);
    connect(btnControlla, &QPushButton::clicked, this, [this] { btnControllaClick(); });
}

void TaxCheckWindow::placeField(QLineEdit *field, int fieldWidth)
{
    m_field = field;
    field->setFont(Theme::fixedPitch(20, true));
    field->setAccessibleName(lblTitolo->text());
    const int fieldHeight = field->sizeHint().height();
    const int left = (width() - fieldWidth - 10 - 130) / 2;
    field->setGeometry(left, kFieldTop, fieldWidth, fieldHeight);
    btnControlla->setGeometry(left + fieldWidth + 10, kFieldTop + (fieldHeight - 36) / 2, 130, 36);
    field->installEventFilter(this);
    setTabOrder(field, btnControlla);
    setTabOrder(btnControlla, btnChiudi);
}

void TaxCheckWindow::setValue(int limit, const QString &text)
{
    // The entry limit binds typing only. A longer text handed over from the card (a stored
    // code of 17 characters, 16 digits taken for a partita IVA) is shown and judged whole: cut
    // to the limit, its first characters could pass for a valid identifier. The limit then
    // follows the text down as the user shortens it, never below the identifier's length.
    m_field->setMaxLength(qMax(limit, int(text.size())));
    m_field->setText(text);
    connect(m_field, &QLineEdit::textChanged, this,
            [this, limit](const QString &now) { m_field->setMaxLength(qMax(limit, int(now.size()))); });
}

bool TaxCheckWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnControlla->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (m_digitsOnly && !CardFields::digitKeyAccepts(key, static_cast<QKeyEvent *>(event)->text()))
            return true;
    }
    return Dialog::eventFilter(watched, event);
}

void TaxCheckWindow::FormShow() { m_field->setFocus(); }

void TaxCheckWindow::btnChiudiClick() { close(); }

TfrmCodFisc::TfrmCodFisc(QWidget *parent, const QString &code)
    : TaxCheckWindow(parent, "frmCodFisc", QStringLiteral(" Controllo codice fiscale"), 478,
                     QStringLiteral("Controllo codice fiscale"), QStringLiteral("tax-code"),
                     QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo."))
{
    txtCodFisc = new QLineEdit(this);
    txtCodFisc->setObjectName(QStringLiteral("txtCodFisc"));
    placeField(txtCodFisc, 300);
    setValue(16, code);
    connect(txtCodFisc, &QLineEdit::textEdited, this, [this] {
        const CardFields::Typed typed =
            CardFields::applyTyping(CardFields::Typing::UpperCase, txtCodFisc->text(), txtCodFisc->cursorPosition());
        if (typed.text != txtCodFisc->text()) {
            txtCodFisc->setText(typed.text);
            txtCodFisc->setCursorPosition(typed.cursor);
        }
    });
}

void TfrmCodFisc::btnControllaClick()
{
    switch (TaxChecks::codiceFiscale(txtCodFisc->text())) {
    case TaxChecks::Result::WrongLength:
        Messages::warning(this, TaxChecks::kCfLength);
        txtCodFisc->setFocus();
        return;
    case TaxChecks::Result::Valid:
        Messages::information(this, TaxChecks::kCfValid);
        break;
    case TaxChecks::Result::Wrong:
        Messages::warning(this, TaxChecks::kCfWrong);
        break;
    }
    close();
}

TfrmPartitaIva::TfrmPartitaIva(QWidget *parent, const QString &number)
    : TaxCheckWindow(parent, "frmPartitaIva", QStringLiteral(" Controllo partita IVA"), 480,
                     QStringLiteral("Controllo partita IVA"), QStringLiteral("vat-number"),
                     QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo."))
{
    txtPartitaIva = new QLineEdit(this);
    txtPartitaIva->setObjectName(QStringLiteral("txtPartitaIva"));
    placeField(txtPartitaIva, 230);
    m_digitsOnly = true;
    setValue(11, number);
}

void TfrmPartitaIva::btnControllaClick()
{
    const QString s = txtPartitaIva->text();
    switch (TaxChecks::partitaIva(s)) {
    case TaxChecks::Result::WrongLength:
        Messages::warning(this, TaxChecks::kPivaLength);
        txtPartitaIva->setFocus();
        return;
    case TaxChecks::Result::Valid:
        Messages::information(this, TaxChecks::pivaValid(TaxChecks::officeOf(s)));
        break;
    case TaxChecks::Result::Wrong:
        Messages::warning(this, TaxChecks::kPivaWrong);
        break;
    }
    close();
}
