#include "billing/frmListino.h"

#include "base/Amount.h"
#include "billing/MoneyLists.h"
#include "chart/OdontogramStates.h"
#include "billing/DialogButtons.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/ProgramFolder.h"
#include "storage/RecordFile.h"
#include "ui/FixedList.h"
#include "ui/Theme.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

// ---- Listino prestazioni ------------------------------------------------------------------

TfrmListino::TfrmListino(QWidget *parent)
    : MoneyListWindow(parent, QStringLiteral("frmListino"), QStringLiteral(" Sorrisa - Listino prestazioni"),
                      QStringLiteral("LISTINO PRESTAZIONI"), QStringLiteral("treatments"),
                      QStringLiteral("Listino prestazioni"), QStringLiteral("Listino_Prestazioni.xls"),
                      QStringLiteral("Fare doppio clic su una voce in elenco per modificarla"))
{
    btnNuova = barButton("btnNuova", QStringLiteral("Nuova voce"));
    btnModifica = barButton("btnModifica", QStringLiteral("Modifica"));
    // A double-click (or Enter in the list) changes the line's service.
    connect(page, &ListPage::reopenRequested, this, &TfrmListino::btnModificaClick);
    connect(btnNuova, &QPushButton::clicked, this, &TfrmListino::btnNuovaClick);
    connect(btnModifica, &QPushButton::clicked, this, &TfrmListino::btnModificaClick);
}

SharedLines TfrmListino::lines()
{
    try {
        m_items = PriceList::read(ProgramFolder::path());
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
        m_items.clear();
    }
    QStringList out;
    QList<qint64> positions;
    for (const PriceList::Item &i : m_items) {
        out.append(MoneyLists::priceLine(i));
        positions.append(i.position);
    }
    return std::make_shared<TextLines>(out, positions);
}

std::optional<MoneyListWindow::Export> TfrmListino::exportRows()
{
    try {
        return Export{MoneyLists::priceColumns(), MoneyLists::priceTable(PriceList::read(ProgramFolder::path()))};
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
        return std::nullopt;
    }
}

void TfrmListino::btnNuovaClick() { edit(PriceList::Item{}); }

void TfrmListino::btnModificaClick()
{
    const qint64 position = page->selectedPosition();
    for (const PriceList::Item &i : m_items) {
        if (position > 0 && i.position == position) {
            edit(i);
            return;
        }
    }
    Messages::information(this, QStringLiteral("Selezionare in elenco la voce da modificare."));
}

void TfrmListino::edit(const PriceList::Item &item)
{
    Modal::run(new TfrmVoceListino(this, item, m_items));
    const int row = page->selectedRow();
    reload();
    if (row >= 0 && row < lstRecords->count())
        lstRecords->setCurrentRow(row);
}

// ---- Voce del listino ---------------------------------------------------------------------

TfrmVoceListino::TfrmVoceListino(QWidget *parent, const PriceList::Item &item, const QList<PriceList::Item> &list)
    : Dialog(parent, Place::OnOwner), m_item(item), m_list(list)
{
    setObjectName(QStringLiteral("frmVoceListino"));
    setWindowTitle(QStringLiteral(" Sorrisa - Voce del listino"));
    Theme::setGradient(this, "steel");
    Theme::makeFixedDialog(this, 560, 300);

    auto *panel = Theme::panel(QStringLiteral("panVoce"), this);
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(16, 12, 16, 12);
    int row = 0;
    auto add = [&](const char *labelName, const QString &caption, QWidget *w) {
        grid->addWidget(Theme::label(QString::fromLatin1(labelName), caption, panel, w), row, 0);
        grid->addWidget(w, row++, 1);
    };
    auto field = [&](const char *name, int maxLength, const QString &text) {
        auto *f = new QLineEdit(text, panel);
        f->setObjectName(QString::fromLatin1(name));
        f->setMaxLength(maxLength);
        return f;
    };
    txtCodice = field("txtCodice", 10, item.code);
    add("lblCodice", QStringLiteral("Codice:"), txtCodice);
    txtDescrizione = field("txtDescrizione", 100, item.description);
    add("lblDescrizione", QStringLiteral("Descrizione:"), txtDescrizione);
    txtPrezzo = field("txtPrezzo", 15, item.position > 0 || item.cents ? Amount::fromCents(item.cents) : QString());
    add("lblPrezzo", QStringLiteral("Prezzo (\u20AC):"), txtPrezzo);
    txtTipoSpesa = field("txtTipoSpesa", 2, item.expenseKind);
    add("lblTipoSpesa", QStringLiteral("Tipo di spesa (Sistema TS):"), txtTipoSpesa);
    cmbLavoro = new QComboBox(panel);
    cmbLavoro->setObjectName(QStringLiteral("cmbLavoro"));
    cmbLavoro->addItem(QStringLiteral("(nessuno)"), QString());
    for (Odontogram::State s : Odontogram::states())
        cmbLavoro->addItem(Odontogram::stateCaption(s), Odontogram::stateName(s));
    const int at = cmbLavoro->findData(item.work.trimmed());
    cmbLavoro->setCurrentIndex(at < 0 ? 0 : at);
    add("lblLavoro", QStringLiteral("Lavoro dell'odontogramma:"), cmbLavoro);

    btnSalva = Theme::textButton(QStringLiteral("btnSalva"), QStringLiteral("Salva"), this);
    btnAnnulla = Theme::textButton(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), this);
    QHBoxLayout *buttons = footButtons(btnAnnulla, btnSalva);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(panel, 1);
    outer->addLayout(buttons);

    connect(btnSalva, &QPushButton::clicked, this, [this] {
        if (btnSalvaClick())
            accept();
    });
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    txtCodice->setFocus();
}

bool TfrmVoceListino::btnSalvaClick()
{
    PriceList::Item item = m_item;
    item.code = txtCodice->text().trimmed();
    item.description = txtDescrizione->text().trimmed();
    item.expenseKind = txtTipoSpesa->text().trimmed().toUpper();
    item.work = cmbLavoro->currentData().toString();
    const std::optional<qint64> cents = Money::centsFromText(txtPrezzo->text());
    if (!cents) {
        Messages::warning(this, QStringLiteral("Il prezzo non \u00E8 un importo valido (ad esempio 800,00)."));
        txtPrezzo->setFocus();
        return false;
    }
    item.cents = *cents;
    if (const QString refusal = PriceList::refusal(item, m_list); !refusal.isEmpty()) {
        Messages::warning(this, refusal);
        return false;
    }
    try {
        PriceList::save(ProgramFolder::path(), item);
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
        return false;
    }
    return true;
}
