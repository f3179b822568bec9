#include "billing/frmDatiStudio.h"

#include "billing/DialogButtons.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "storage/RecordFile.h"
#include "ui/ListPage.h"
#include "ui/Theme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit *field(const char *name, int maxLength, QWidget *parent)
{
    auto *f = new QLineEdit(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setMaxLength(maxLength);
    return f;
}

} // namespace

TfrmDatiStudio::TfrmDatiStudio(QWidget *parent) : Dialog(parent, Place::OnOwner)
{
    setObjectName(QStringLiteral("frmDatiStudio"));
    setWindowTitle(QStringLiteral(" Sorrisa - Dati dello studio"));
    Theme::setGradient(this, "steel");
    Theme::makeFixedDialog(this, 700, 640);

    auto *banner = new ListBanner(QStringLiteral("imgBanner"), QStringLiteral("DATI DELLO STUDIO"),
                                  QStringLiteral("vat-number"), QString(), this, ListBanner::Tint::Blue);
    banner->setTitlePixels(22);
    banner->setTitleColour(Theme::colour(Theme::Colour::Heading));
    banner->setFixedHeight(53);

    auto *panel = Theme::panel(QStringLiteral("panDati"), this);
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(16, 12, 16, 12);
    grid->setVerticalSpacing(6);
    int row = 0;
    auto add = [&](const char *labelName, const QString &caption, QWidget *w, int column = 0, int span = 3) {
        grid->addWidget(Theme::label(QString::fromLatin1(labelName), caption, panel, w), row, column);
        grid->addWidget(w, row, column + 1, 1, span);
        if (column + 1 + span >= 4)
            ++row;
    };
    txtDenominazione = field("txtDenominazione", 250, panel);
    add("lblDenominazione", QStringLiteral("Denominazione:"), txtDenominazione);
    txtTitolare = field("txtTitolare", 250, panel);
    add("lblTitolare", QStringLiteral("Titolare (cognome e nome):"), txtTitolare);
    txtCodiceFiscale = field("txtCodiceFiscale", 16, panel);
    add("lblCodiceFiscale", QStringLiteral("Codice fiscale:"), txtCodiceFiscale, 0, 1);
    txtPartitaIva = field("txtPartitaIva", 11, panel);
    add("lblPartitaIva", QStringLiteral("Partita IVA:"), txtPartitaIva, 2, 1);
    txtAlboProvincia = field("txtAlboProvincia", 50, panel);
    add("lblAlboProvincia", QStringLiteral("Albo degli odontoiatri di:"), txtAlboProvincia, 0, 1);
    txtAlboNumero = field("txtAlboNumero", 20, panel);
    add("lblAlboNumero", QStringLiteral("N. di iscrizione:"), txtAlboNumero, 2, 1);
    txtIndirizzo = field("txtIndirizzo", 250, panel);
    add("lblIndirizzo", QStringLiteral("Indirizzo:"), txtIndirizzo);
    txtCap = field("txtCap", 5, panel);
    add("lblCap", QStringLiteral("CAP:"), txtCap, 0, 1);
    txtProvincia = field("txtProvincia", 2, panel);
    add("lblProvincia", QStringLiteral("Provincia:"), txtProvincia, 2, 1);
    txtCitta = field("txtCitta", 50, panel);
    add("lblCitta", QStringLiteral("Città:"), txtCitta);
    txtTelefono = field("txtTelefono", 30, panel);
    add("lblTelefono", QStringLiteral("Telefono:"), txtTelefono, 0, 1);
    txtEmail = field("txtEmail", 100, panel);
    add("lblEmail", QStringLiteral("E-mail:"), txtEmail, 2, 1);
    txtPec = field("txtPec", 100, panel);
    add("lblPec", QStringLiteral("PEC:"), txtPec);
    txtIban = field("txtIban", 34, panel);
    add("lblIban", QStringLiteral("IBAN:"), txtIban);
    cmbRegime = new QComboBox(panel);
    cmbRegime->setObjectName(QStringLiteral("cmbRegime"));
    cmbRegime->addItems(
        {Money::regimeCaption(Money::Regime::Ordinario), Money::regimeCaption(Money::Regime::Forfettario)});
    add("lblRegime", QStringLiteral("Regime fiscale"), cmbRegime, 0, 1);
    chkBollo = new QCheckBox(QStringLiteral("Bollo a carico del paziente"), panel);
    chkBollo->setObjectName(QStringLiteral("chkBollo"));
    chkBollo->setAccessibleName(chkBollo->text());
    grid->addWidget(chkBollo, row++, 2, 1, 2);
    txtEsenzione = field("txtEsenzione", 250, panel);
    add("lblEsenzione", QStringLiteral("Dicitura di esenzione:"), txtEsenzione);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    btnSalva = Theme::textButton(QStringLiteral("btnSalva"), QStringLiteral("Salva"), this);
    btnChiudi = Theme::textButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), this);
    QHBoxLayout *buttons = footButtons(btnChiudi, btnSalva);

    auto *outer = new QVBoxLayout(this);
    outer->addWidget(banner);
    outer->addWidget(panel, 1);
    outer->addLayout(buttons);

    connect(btnSalva, &QPushButton::clicked, this, [this] {
        if (btnSalvaClick())
            close();
    });
    connect(btnChiudi, &QPushButton::clicked, this, &QWidget::close);
    connect(cmbRegime, &QComboBox::currentIndexChanged, this, &TfrmDatiStudio::regimeChanged);
}

void TfrmDatiStudio::FormShow()
{
    try {
        show(PracticeData::read(ProgramFolder::path()));
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
        show(PracticeData{});
    }
    txtDenominazione->setFocus();
}

void TfrmDatiStudio::show(const PracticeData &d)
{
    txtDenominazione->setText(d.denominazione);
    txtTitolare->setText(d.titolare);
    txtCodiceFiscale->setText(d.codiceFiscale);
    txtPartitaIva->setText(d.partitaIva);
    txtAlboProvincia->setText(d.alboProvincia);
    txtAlboNumero->setText(d.alboNumero);
    txtIndirizzo->setText(d.indirizzo);
    txtCap->setText(d.cap);
    txtCitta->setText(d.citta);
    txtProvincia->setText(d.provincia);
    txtTelefono->setText(d.telefono);
    txtEmail->setText(d.email);
    txtPec->setText(d.pec);
    txtIban->setText(d.iban);
    m_regime = d.regime;
    {
        const QSignalBlocker quiet(cmbRegime);
        cmbRegime->setCurrentIndex(d.regime == Money::Regime::Forfettario ? 1 : 0);
    }
    txtEsenzione->setText(d.exemption());
    txtEsenzione->setCursorPosition(0);
    chkBollo->setChecked(d.bolloAlPaziente);
}

void TfrmDatiStudio::regimeChanged()
{
    const Money::Regime regime = cmbRegime->currentIndex() == 1 ? Money::Regime::Forfettario : Money::Regime::Ordinario;
    // A wording of the practice's own stays; the old regime's default gives way to the new one's.
    const QString typed = txtEsenzione->text().trimmed();
    if (typed.isEmpty() || typed == Money::defaultExemption(m_regime)) {
        txtEsenzione->setText(Money::defaultExemption(regime));
        txtEsenzione->setCursorPosition(0);
    }
    m_regime = regime;
}

PracticeData TfrmDatiStudio::data() const
{
    PracticeData d;
    d.denominazione = txtDenominazione->text().trimmed();
    d.titolare = txtTitolare->text().trimmed();
    d.codiceFiscale = txtCodiceFiscale->text().trimmed().toUpper();
    d.partitaIva = txtPartitaIva->text().trimmed();
    d.alboProvincia = txtAlboProvincia->text().trimmed();
    d.alboNumero = txtAlboNumero->text().trimmed();
    d.indirizzo = txtIndirizzo->text().trimmed();
    d.cap = txtCap->text().trimmed();
    d.citta = txtCitta->text().trimmed();
    d.provincia = txtProvincia->text().trimmed().toUpper();
    d.telefono = txtTelefono->text().trimmed();
    d.email = txtEmail->text().trimmed();
    d.pec = txtPec->text().trimmed();
    d.iban = txtIban->text().remove(QLatin1Char(' ')).toUpper();
    d.regime = cmbRegime->currentIndex() == 1 ? Money::Regime::Forfettario : Money::Regime::Ordinario;
    d.bolloAlPaziente = chkBollo->isChecked();
    // The regime's own wording is kept as "none of ours", so it follows a later change of regime.
    const QString wording = txtEsenzione->text().trimmed();
    d.esenzione = wording == Money::defaultExemption(d.regime) ? QString() : wording;
    return d;
}

bool TfrmDatiStudio::btnSalvaClick()
{
    const PracticeData d = data();
    if (const QString refusal = d.refusal(); !refusal.isEmpty()) {
        Messages::warning(this, refusal);
        return false;
    }
    try {
        d.write(ProgramFolder::path());
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
        return false;
    }
    return true;
}
