#include "billing/frmMoney.h"

#include "billing/MoneyDocuments.h"
#include "chart/OdontogramFile.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/ProgramFolder.h"
#include "print/ReportRenderer.h"
#include "storage/PatientRecord.h"
#include "storage/RecordFile.h"
#include "ui/Theme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QTableWidget>
#include <QTime>
#include <QVBoxLayout>

namespace {

QString folder() { return ProgramFolder::path(); }

std::optional<TPatientRecord> readPatient(qint64 position)
{
    RecordFile file(ProgramFolder::file(kPatientArchive), TPatientRecord::Size);
    file.open(RecordFile::Read);
    if (position < 1 || position > file.count())
        return std::nullopt;
    TPatientRecord record{};
    file.readAt(position, record);
    return record;
}

// The dentist the patient's card names, for the treatments written from an estimate.
QString dentistOf(qint64 position)
{
    const std::optional<TPatientRecord> record = readPatient(position);
    return record ? record->Dentist.text() : QString();
}

QLineEdit *field(const QString &name, const QString &caption, QWidget *parent, QGridLayout *grid, int row,
                 int column = 0)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    grid->addWidget(Theme::label(name + QStringLiteral("Label"), caption, parent, edit), row, column);
    grid->addWidget(edit, row, column + 1);
    return edit;
}

QComboBox *methods(const QString &name, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(QStringLiteral("Modalità di pagamento"));
    box->addItems(Money::methodCaptions());
    return box;
}

QListWidget *list(const QString &name, const QString &accessible, QWidget *parent)
{
    auto *l = new QListWidget(parent);
    l->setObjectName(name);
    l->setAccessibleName(accessible);
    l->setFont(Theme::fixedPitch(9));
    return l;
}

void setUp(Dialog *w, const QString &name, const QString &caption, const QSize &size)
{
    w->setObjectName(name);
    w->setWindowTitle(caption);
    w->setAccessibleName(caption.trimmed());
    w->resize(size);
    Theme::setGradient(w, "light");
}

// Prints or previews a document, whose pages are laid out once.
void output(QWidget *parent, const Report::Document &doc, bool print)
{
    if (print)
        Report::print(parent, doc);
    else
        Report::preview(parent, doc);
}

} // namespace

// ---- MoneyWindows ---------------------------------------------------------------------------

Invoices::Patient MoneyWindows::patient(qint64 position)
{
    try {
        if (const std::optional<TPatientRecord> record = readPatient(position))
            return Invoices::Patient::fromRecord(position, *record);
    } catch (const StorageError &) {
    }
    Invoices::Patient p;
    p.position = position;
    return p;
}

QString MoneyWindows::balanceText(qint64 position)
{
    try {
        return Ledger::balance(folder(), position).text();
    } catch (const StorageError &) {
        return QString();
    }
}

bool MoneyWindows::keepPdf(const Invoices::Invoice &invoice)
{
    const QString path = Invoices::pdfPath(folder(), invoice);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    const PracticeData practice = PracticeData::read(folder());
    const Report::Job job(MoneyDocuments::invoice(invoice, practice));
    const QString part = path + QStringLiteral(".part");
    {
        QPdfWriter writer(part);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(Invoices::kindCaption(invoice.kind) + QLatin1Char(' ') + invoice.number.text());
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        const double pxPerMm = writer.resolution() / 25.4;
        for (int i = 0; i < job.pageCount(); ++i) {
            if (i > 0)
                writer.newPage();
            job.paintPage(painter, i, pxPerMm, QPointF(0, 0));
        }
        painter.end();
    }
    // Written aside and renamed over: a PDF cut short is never taken for the invoice's own.
    QFile::remove(path);
    return QFile::rename(part, path);
}

// ---- " Sorrisa - Fatture e pagamenti" -----------------------------------------------------------

TfrmFatturePagamenti::TfrmFatturePagamenti(qint64 patient, QWidget *parent)
    : Dialog(parent, Place::OnOwner), m_patient(patient)
{
    setUp(this, QStringLiteral("frmFatturePagamenti"), QStringLiteral(" Sorrisa - Fatture e pagamenti"), {760, 520});
    auto *top = new QVBoxLayout(this);
    lblPaziente = Theme::label(QStringLiteral("lblPaziente"), MoneyWindows::patient(patient).name, this);
    lblPaziente->setFont(Theme::verdana(12, true));
    lblSaldo = Theme::label(QStringLiteral("lblSaldo"), QString(), this);
    lblSaldo->setFont(Theme::verdana(10, true));
    lblSaldo->setAccessibleName(QStringLiteral("Saldo"));
    top->addWidget(lblPaziente);
    top->addWidget(lblSaldo);
    auto *row = new QHBoxLayout;
    btnPreventivo = Theme::textButton(QStringLiteral("btnPreventivo"), QStringLiteral("Nuovo preventivo"), this);
    btnPagamento = Theme::textButton(QStringLiteral("btnPagamento"), QStringLiteral("Nuovo pagamento"), this);
    btnFattura = Theme::textButton(QStringLiteral("btnFattura"), QStringLiteral("Nuova fattura"), this);
    btnNotaCredito = Theme::textButton(QStringLiteral("btnNotaCredito"), QStringLiteral("Nota di credito"), this);
    for (QPushButton *b : {btnPreventivo, btnPagamento, btnFattura, btnNotaCredito})
        row->addWidget(b);
    top->addLayout(row);
    lstDocumenti = list(QStringLiteral("lstDocumenti"), QStringLiteral("Documenti del paziente"), this);
    top->addWidget(
        Theme::label(QStringLiteral("lblDocumenti"), QStringLiteral("Documenti del paziente:"), this, lstDocumenti));
    top->addWidget(lstDocumenti, 1);
    auto *bottom = new QHBoxLayout;
    btnApri = Theme::textButton(QStringLiteral("btnApri"), QStringLiteral("Apri"), this);
    btnChiudi = Theme::textButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), this);
    bottom->addWidget(btnApri);
    bottom->addStretch();
    bottom->addWidget(btnChiudi);
    top->addLayout(bottom);
    connect(btnPreventivo, &QPushButton::clicked, this, &TfrmFatturePagamenti::btnPreventivoClick);
    connect(btnPagamento, &QPushButton::clicked, this, &TfrmFatturePagamenti::btnPagamentoClick);
    connect(btnFattura, &QPushButton::clicked, this, &TfrmFatturePagamenti::btnFatturaClick);
    connect(btnNotaCredito, &QPushButton::clicked, this, &TfrmFatturePagamenti::btnNotaCreditoClick);
    connect(btnApri, &QPushButton::clicked, this, &TfrmFatturePagamenti::btnApriClick);
    connect(lstDocumenti, &QListWidget::itemActivated, this, &TfrmFatturePagamenti::btnApriClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);
    refresh();
}

void TfrmFatturePagamenti::refresh()
{
    lstDocumenti->clear();
    m_items.clear();
    try {
        for (const Estimates::Estimate &e : Estimates::ofPatient(folder(), m_patient)) {
            lstDocumenti->addItem(QStringLiteral("Preventivo %1 del %2  %3  %4")
                                      .arg(e.numberText(), Money::dateText(e.date), Estimates::stateName(e.state),
                                           Money::euro(e.totalCents())));
            m_items.append(Item{Item::Estimate, e.number});
        }
        for (const Invoices::Invoice &i : Invoices::ofPatient(folder(), m_patient)) {
            lstDocumenti->addItem(QStringLiteral("%1 %2 del %3  %4")
                                      .arg(Invoices::kindCaption(i.kind), i.number.text(), Money::dateText(i.date),
                                           Money::euro(i.totalCents)));
            m_items.append(Item{Item::Invoice, i.number});
        }
        for (const Ledger::Payment &p : Ledger::paymentsOf(folder(), m_patient)) {
            lstDocumenti->addItem(QStringLiteral("Pagamento del %1  %2  %3")
                                      .arg(Money::dateText(p.date), Money::euro(p.cents), Money::methodName(p.method)));
            m_items.append(Item{Item::Payment, DocumentNumber{}});
        }
        lblSaldo->setText(Ledger::balance(folder(), m_patient).text());
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
    }
    if (lstDocumenti->count() > 0)
        lstDocumenti->setCurrentRow(0);
}

void TfrmFatturePagamenti::btnPreventivoClick()
{
    Modal::run(new TfrmPreventivo(m_patient, std::nullopt, this));
    refresh();
    emit changed();
}

void TfrmFatturePagamenti::btnPagamentoClick()
{
    Modal::run(new TfrmPagamento(m_patient, this));
    refresh();
    emit changed();
}

void TfrmFatturePagamenti::btnFatturaClick()
{
    Modal::run(new TfrmFattura(m_patient, this));
    refresh();
    emit changed();
}

void TfrmFatturePagamenti::btnNotaCreditoClick()
{
    const int row = lstDocumenti->currentRow();
    if (row < 0 || m_items.at(row).kind != Item::Invoice) {
        Messages::information(this, QStringLiteral("Scegliere nell'elenco la fattura da rettificare."));
        return;
    }
    try {
        const std::optional<Invoices::Invoice> invoice = Invoices::find(folder(), m_items.at(row).number);
        if (!invoice || invoice->kind != Invoices::Kind::Invoice) {
            Messages::information(this, QStringLiteral("Scegliere nell'elenco la fattura da rettificare."));
            return;
        }
        Modal::run(new TfrmFattura(*invoice, this));
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
    }
    refresh();
    emit changed();
}

void TfrmFatturePagamenti::btnApriClick()
{
    const int row = lstDocumenti->currentRow();
    if (row < 0 || m_items.at(row).kind == Item::Payment)
        return;
    try {
        if (m_items.at(row).kind == Item::Estimate) {
            Modal::run(new TfrmPreventivo(m_patient, Estimates::find(folder(), m_items.at(row).number), this));
            refresh();
            emit changed();
        } else if (const auto invoice = Invoices::find(folder(), m_items.at(row).number)) {
            Report::preview(this, MoneyDocuments::invoice(*invoice, PracticeData::read(folder())));
        }
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
    }
}

// ---- "Preventivo" ---------------------------------------------------------------------------------

TfrmPreventivo::TfrmPreventivo(qint64 patient, const std::optional<Estimates::Estimate> &estimate, QWidget *parent)
    : Dialog(parent, Place::OnOwner)
{
    setUp(this, QStringLiteral("frmPreventivo"), QStringLiteral(" Sorrisa - Preventivo"), {860, 600});
    if (estimate) {
        m_estimate = *estimate;
    } else {
        m_estimate.patient = patient;
        m_estimate.date = Clock::today();
        m_estimate.validUntil = m_estimate.date.addMonths(3);
    }
    auto *top = new QVBoxLayout(this);
    lblNumero = Theme::label(QStringLiteral("lblNumero"), QString(), this);
    lblNumero->setFont(Theme::verdana(11, true));
    top->addWidget(lblNumero);
    btnDalPiano = Theme::textButton(QStringLiteral("btnDalPiano"), QStringLiteral("Righe dal piano di cura"), this);
    top->addWidget(btnDalPiano, 0, Qt::AlignLeft);
    tblRighe = new QTableWidget(0, 5, this);
    tblRighe->setObjectName(QStringLiteral("tblRighe"));
    tblRighe->setAccessibleName(QStringLiteral("Righe del preventivo"));
    tblRighe->setHorizontalHeaderLabels({QStringLiteral("Dente"), QStringLiteral("Descrizione"),
                                         QStringLiteral("Quantità"), QStringLiteral("Prezzo"),
                                         QStringLiteral("Eseguita")});
    tblRighe->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    tblRighe->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblRighe->setEditTriggers(QAbstractItemView::NoEditTriggers);
    top->addWidget(tblRighe, 1);
    auto *grid = new QGridLayout;
    txtDente = field(QStringLiteral("txtDente"), QStringLiteral("Dente:"), this, grid, 0);
    txtDescrizione = field(QStringLiteral("txtDescrizione"), QStringLiteral("Descrizione:"), this, grid, 0, 2);
    txtQuantita = field(QStringLiteral("txtQuantita"), QStringLiteral("Quantità:"), this, grid, 1);
    txtPrezzo = field(QStringLiteral("txtPrezzo"), QStringLiteral("Prezzo:"), this, grid, 1, 2);
    txtQuantita->setText(QStringLiteral("1"));
    btnAggiungiRiga = Theme::textButton(QStringLiteral("btnAggiungiRiga"), QStringLiteral("Aggiungi riga"), this);
    btnTogliRiga = Theme::textButton(QStringLiteral("btnTogliRiga"), QStringLiteral("Togli riga"), this);
    grid->addWidget(btnAggiungiRiga, 0, 4);
    grid->addWidget(btnTogliRiga, 1, 4);
    txtSconto = field(QStringLiteral("txtSconto"), QStringLiteral("Sconto %:"), this, grid, 2);
    txtValidita = field(QStringLiteral("txtValidita"), QStringLiteral("Valido fino al:"), this, grid, 2, 2);
    cboStato = new QComboBox(this);
    cboStato->setObjectName(QStringLiteral("cboStato"));
    cboStato->addItems({QStringLiteral("proposto"), QStringLiteral("accettato"), QStringLiteral("rifiutato")});
    grid->addWidget(Theme::label(QStringLiteral("lblStato"), QStringLiteral("Stato:"), this, cboStato), 3, 0);
    grid->addWidget(cboStato, 3, 1);
    lblTotale = Theme::label(QStringLiteral("lblTotale"), QString(), this);
    lblTotale->setFont(Theme::verdana(10, true));
    grid->addWidget(lblTotale, 3, 3);
    top->addLayout(grid);
    auto *bottom = new QHBoxLayout;
    btnSalva = Theme::textButton(QStringLiteral("btnSalva"), QStringLiteral("Salva"), this);
    btnAnteprima = Theme::textButton(QStringLiteral("btnAnteprima"), QStringLiteral("Anteprima"), this);
    btnStampa = Theme::textButton(QStringLiteral("btnStampa"), QStringLiteral("Stampa"), this);
    btnChiudi = Theme::textButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), this);
    for (QPushButton *b : {btnSalva, btnAnteprima, btnStampa})
        bottom->addWidget(b);
    bottom->addStretch();
    bottom->addWidget(btnChiudi);
    top->addLayout(bottom);

    txtSconto->setText(Money::percentText(m_estimate.discount));
    txtValidita->setText(Money::dateText(m_estimate.validUntil));
    cboStato->setCurrentIndex(int(m_estimate.state));
    showLines();
    connect(btnDalPiano, &QPushButton::clicked, this, &TfrmPreventivo::btnDalPianoClick);
    connect(btnAggiungiRiga, &QPushButton::clicked, this, &TfrmPreventivo::btnAggiungiRigaClick);
    connect(btnTogliRiga, &QPushButton::clicked, this, &TfrmPreventivo::btnTogliRigaClick);
    connect(btnSalva, &QPushButton::clicked, this, &TfrmPreventivo::btnSalvaClick);
    connect(btnAnteprima, &QPushButton::clicked, this, &TfrmPreventivo::btnAnteprimaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmPreventivo::btnStampaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);
    connect(txtSconto, &QLineEdit::textChanged, this, &TfrmPreventivo::updateTotal);
    connect(tblRighe, &QTableWidget::itemChanged, this, &TfrmPreventivo::updateTotal);
}

void TfrmPreventivo::showLines()
{
    QSignalBlocker block(tblRighe);
    lblNumero->setText(m_estimate.number.isNull() ? QStringLiteral("Nuovo preventivo")
                                                  : QStringLiteral("Preventivo ") + m_estimate.numberText());
    tblRighe->setRowCount(int(m_estimate.lines.size()));
    for (int r = 0; r < m_estimate.lines.size(); ++r) {
        const Estimates::Line &l = m_estimate.lines.at(r);
        const QStringList cells{l.tooth, l.description, QString::number(l.quantity), Money::euro(l.unitCents)};
        for (int c = 0; c < cells.size(); ++c)
            tblRighe->setItem(r, c, new QTableWidgetItem(cells.at(c)));
        auto *done = new QTableWidgetItem(QStringLiteral("eseguita"));
        done->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        done->setCheckState(l.done ? Qt::Checked : Qt::Unchecked);
        if (l.registerPosition != 0) // in the register already: it stays done
            done->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        tblRighe->setItem(r, 4, done);
    }
    updateTotal();
}

Estimates::Estimate TfrmPreventivo::estimate() const
{
    Estimates::Estimate e = m_estimate;
    for (int r = 0; r < e.lines.size() && r < tblRighe->rowCount(); ++r)
        e.lines[r].done = tblRighe->item(r, 4)->checkState() == Qt::Checked;
    e.discount = Money::percentFromText(txtSconto->text()).value_or(-1);
    e.validUntil = Money::parseDate(txtValidita->text().trimmed());
    e.state = Estimates::State(cboStato->currentIndex());
    return e;
}

void TfrmPreventivo::updateTotal()
{
    Estimates::Estimate e = estimate();
    if (e.discount < 0)
        e.discount = 0;
    lblTotale->setText(QStringLiteral("Totale: ") + Money::euro(e.totalCents()));
}

void TfrmPreventivo::btnDalPianoClick()
{
    try {
        const auto latest = Odontogram::latest(Odontogram::read(Odontogram::path(m_estimate.patient)));
        const QList<Estimates::Line> lines = Estimates::fromPlan(latest, PriceList::read(folder()));
        if (lines.isEmpty()) {
            Messages::information(this, QStringLiteral("Nel piano di cura del paziente non ci sono lavori da fare."));
            return;
        }
        m_estimate = estimate();
        m_estimate.lines += lines;
        showLines();
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
    }
}

void TfrmPreventivo::btnAggiungiRigaClick()
{
    Estimates::Line l;
    l.tooth = txtDente->text().trimmed();
    l.description = txtDescrizione->text().trimmed();
    bool ok = false;
    l.quantity = txtQuantita->text().trimmed().toInt(&ok);
    const std::optional<qint64> price = Money::centsFromText(txtPrezzo->text().trimmed());
    if (l.description.isEmpty() || !ok || l.quantity < 1 || l.quantity > Money::kMaxQuantity || !price) {
        Messages::warning(this, QStringLiteral("Scrivere la descrizione, una quantità da 1 a 999 e il prezzo."));
        return;
    }
    l.unitCents = *price;
    m_estimate = estimate();
    m_estimate.lines.append(l);
    showLines();
    for (QLineEdit *e : {txtDente, txtDescrizione, txtPrezzo})
        e->clear();
    txtQuantita->setText(QStringLiteral("1"));
    txtDescrizione->setFocus();
}

void TfrmPreventivo::btnTogliRigaClick()
{
    const int row = tblRighe->currentRow();
    if (row < 0 || m_estimate.lines.at(row).registerPosition != 0)
        return;
    m_estimate = estimate();
    m_estimate.lines.removeAt(row);
    showLines();
}

bool TfrmPreventivo::btnSalvaClick()
{
    Estimates::Estimate e = estimate();
    if (e.discount < 0) {
        Messages::warning(this, QStringLiteral("Lo sconto è una percentuale da 0 a 100."));
        return false;
    }
    if (const QString why = Estimates::refusal(e); !why.isEmpty()) {
        Messages::warning(this, why);
        return false;
    }
    try {
        m_estimate = Estimates::save(folder(), e);
        // An accepted estimate's done lines go into the treatment register, each once.
        if (m_estimate.state == Estimates::State::Accettato
            && Estimates::writeDone(folder(), m_estimate.number, Clock::today(), Clock::now().time(),
                                    dentistOf(m_estimate.patient))
                   > 0) {
            if (const auto again = Estimates::find(folder(), m_estimate.number))
                m_estimate = *again;
        }
        showLines();
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
        return false;
    }
    return true;
}

void TfrmPreventivo::btnAnteprimaClick()
{
    output(
        this,
        MoneyDocuments::estimate(estimate(), MoneyWindows::patient(m_estimate.patient), PracticeData::read(folder())),
        false);
}

void TfrmPreventivo::btnStampaClick()
{
    output(
        this,
        MoneyDocuments::estimate(estimate(), MoneyWindows::patient(m_estimate.patient), PracticeData::read(folder())),
        true);
}

// ---- "Pagamenti" --------------------------------------------------------------------------------

TfrmPagamento::TfrmPagamento(qint64 patient, QWidget *parent) : Dialog(parent, Place::OnOwner), m_patient(patient)
{
    setUp(this, QStringLiteral("frmPagamento"), QStringLiteral(" Sorrisa - Pagamento"), {520, 300});
    auto *top = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    txtData = field(QStringLiteral("txtData"), QStringLiteral("Data:"), this, grid, 0);
    txtImporto = field(QStringLiteral("txtImporto"), QStringLiteral("Importo:"), this, grid, 1);
    cboModalita = methods(QStringLiteral("cboModalita"), this);
    grid->addWidget(
        Theme::label(QStringLiteral("lblModalita"), QStringLiteral("Modalità di pagamento:"), this, cboModalita), 2, 0);
    grid->addWidget(cboModalita, 2, 1);
    txtNote = field(QStringLiteral("txtNote"), QStringLiteral("Note:"), this, grid, 3);
    cboRiferimento = new QComboBox(this);
    cboRiferimento->setObjectName(QStringLiteral("cboRiferimento"));
    grid->addWidget(Theme::label(QStringLiteral("lblRiferimento"), QStringLiteral("Riferito a:"), this, cboRiferimento),
                    4, 0);
    grid->addWidget(cboRiferimento, 4, 1);
    top->addLayout(grid);
    auto *bottom = new QHBoxLayout;
    btnSalva = Theme::textButton(QStringLiteral("btnSalva"), QStringLiteral("Salva"), this);
    btnAnnulla = Theme::textButton(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), this);
    bottom->addWidget(btnAnnulla);
    bottom->addStretch();
    bottom->addWidget(btnSalva);
    top->addStretch();
    top->addLayout(bottom);
    btnSalva->setDefault(true);

    txtData->setText(Money::dateText(Clock::today()));
    cboRiferimento->addItem(QStringLiteral("(nessun documento)"));
    m_links.append(Ledger::Payment{});
    try {
        for (const Estimates::Estimate &e : Estimates::ofPatient(folder(), patient)) {
            cboRiferimento->addItem(QStringLiteral("Acconto sul preventivo ") + e.numberText());
            Ledger::Payment link;
            link.estimate = e.number;
            m_links.append(link);
        }
        for (const Invoices::Invoice &i : Invoices::ofPatient(folder(), patient)) {
            if (i.kind != Invoices::Kind::Invoice)
                continue;
            cboRiferimento->addItem(QStringLiteral("Pagamento della fattura ") + i.number.text());
            Ledger::Payment link;
            link.invoice = i.number;
            m_links.append(link);
        }
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
    }
    connect(btnSalva, &QPushButton::clicked, this, &TfrmPagamento::btnSalvaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmPagamento::btnSalvaClick()
{
    Ledger::Payment p = m_links.value(cboRiferimento->currentIndex());
    p.patient = m_patient;
    p.date = Money::parseDate(txtData->text().trimmed());
    p.cents = Money::centsFromText(txtImporto->text().trimmed()).value_or(0);
    p.method = Money::Method(cboModalita->currentIndex());
    p.note = txtNote->text().trimmed();
    if (const QString why = Ledger::refusal(p); !why.isEmpty()) {
        Messages::warning(this, why);
        return false;
    }
    try {
        Ledger::save(folder(), p);
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
        return false;
    }
    accept();
    return true;
}

// ---- " Sorrisa - Fattura" ---------------------------------------------------------------------------

TfrmFattura::TfrmFattura(qint64 patient, QWidget *parent) : Dialog(parent, Place::OnOwner)
{
    m_draft.date = Clock::today();
    m_draft.patient = MoneyWindows::patient(patient);
    try {
        m_uninvoiced = Invoices::uninvoicedTreatments(folder(), patient);
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
    }
    build();
    setWindowTitle(QStringLiteral(" Sorrisa - Fattura"));
}

TfrmFattura::TfrmFattura(const Invoices::Invoice &corrects, QWidget *parent) : Dialog(parent, Place::OnOwner)
{
    m_draft = Invoices::creditNoteDraft(corrects, Clock::today());
    build();
    setWindowTitle(QStringLiteral(" Sorrisa - Nota di credito"));
    setAccessibleName(QStringLiteral("Sorrisa - Nota di credito"));
    btnEmetti->setText(QStringLiteral("Emetti nota di credito"));
    btnEmetti->setAccessibleName(btnEmetti->text());
}

void TfrmFattura::build()
{
    setUp(this, QStringLiteral("frmFattura"), QStringLiteral(" Sorrisa - Fattura"), {760, 600});
    auto *top = new QVBoxLayout(this);
    auto *who = Theme::label(
        QStringLiteral("lblPaziente"),
        m_draft.kind == Invoices::Kind::CreditNote
            ? QStringLiteral("%1 - rettifica della fattura %2").arg(m_draft.patient.name, m_draft.corrects.text())
            : m_draft.patient.name,
        this);
    who->setFont(Theme::verdana(11, true));
    top->addWidget(who);
    lstDaFatturare = list(QStringLiteral("lstDaFatturare"), QStringLiteral("Trattamenti da fatturare"), this);
    for (const Invoices::Line &l : m_uninvoiced)
        lstDaFatturare->addItem(QStringLiteral("%1  %2").arg(l.description, Money::euro(l.cents)));
    btnAggiungiTrattamento =
        Theme::textButton(QStringLiteral("btnAggiungiTrattamento"), QStringLiteral("Aggiungi il trattamento"), this);
    if (m_draft.kind == Invoices::Kind::Invoice) {
        top->addWidget(Theme::label(QStringLiteral("lblDaFatturare"), QStringLiteral("Trattamenti da fatturare:"), this,
                                    lstDaFatturare));
        top->addWidget(lstDaFatturare, 1);
        top->addWidget(btnAggiungiTrattamento, 0, Qt::AlignLeft);
    } else {
        lstDaFatturare->hide();
        btnAggiungiTrattamento->hide();
    }
    auto *grid = new QGridLayout;
    txtDescrizione = field(QStringLiteral("txtDescrizione"), QStringLiteral("Descrizione:"), this, grid, 0);
    txtDente = field(QStringLiteral("txtDente"), QStringLiteral("Dente:"), this, grid, 1);
    txtImporto = field(QStringLiteral("txtImporto"), QStringLiteral("Importo:"), this, grid, 2);
    btnAggiungiRiga = Theme::textButton(QStringLiteral("btnAggiungiRiga"), QStringLiteral("Aggiungi riga"), this);
    grid->addWidget(btnAggiungiRiga, 2, 2);
    top->addLayout(grid);
    lstRighe = list(QStringLiteral("lstRighe"), QStringLiteral("Righe"), this);
    top->addWidget(Theme::label(QStringLiteral("lblRighe"), QStringLiteral("Righe:"), this, lstRighe));
    top->addWidget(lstRighe, 1);
    auto *lineRow = new QHBoxLayout;
    btnTogliRiga = Theme::textButton(QStringLiteral("btnTogliRiga"), QStringLiteral("Togli riga"), this);
    lblTotale = Theme::label(QStringLiteral("lblTotale"), QString(), this);
    lblTotale->setFont(Theme::verdana(10, true));
    lineRow->addWidget(btnTogliRiga);
    lineRow->addStretch();
    lineRow->addWidget(lblTotale);
    top->addLayout(lineRow);
    auto *pay = new QGridLayout;
    txtDataPagamento = field(QStringLiteral("txtDataPagamento"), QStringLiteral("Data del pagamento:"), this, pay, 0);
    cboModalita = methods(QStringLiteral("cboModalita"), this);
    pay->addWidget(
        Theme::label(QStringLiteral("lblModalita"), QStringLiteral("Modalità di pagamento"), this, cboModalita), 0, 2);
    pay->addWidget(cboModalita, 0, 3);
    top->addLayout(pay);
    chkOpposizione = new QCheckBox(QStringLiteral("Il paziente si oppone all'invio dei dati al Sistema TS"), this);
    chkOpposizione->setObjectName(QStringLiteral("chkOpposizione"));
    chkOpposizione->setAccessibleName(chkOpposizione->text());
    top->addWidget(chkOpposizione);
    auto *bottom = new QHBoxLayout;
    btnAnnulla = Theme::textButton(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), this);
    btnEmetti = Theme::textButton(QStringLiteral("btnEmetti"), QStringLiteral("Emetti fattura"), this);
    bottom->addWidget(btnAnnulla);
    bottom->addStretch();
    bottom->addWidget(btnEmetti);
    top->addLayout(bottom);

    txtDataPagamento->setText(Money::dateText(m_draft.paymentDate));
    if (m_draft.method)
        cboModalita->setCurrentIndex(int(*m_draft.method));
    chkOpposizione->setChecked(m_draft.opposition);
    showLines();
    connect(btnAggiungiTrattamento, &QPushButton::clicked, this, &TfrmFattura::btnAggiungiTrattamentoClick);
    connect(lstDaFatturare, &QListWidget::itemActivated, this, &TfrmFattura::btnAggiungiTrattamentoClick);
    connect(btnAggiungiRiga, &QPushButton::clicked, this, &TfrmFattura::btnAggiungiRigaClick);
    connect(txtImporto, &QLineEdit::returnPressed, this, &TfrmFattura::btnAggiungiRigaClick);
    connect(btnTogliRiga, &QPushButton::clicked, this, &TfrmFattura::btnTogliRigaClick);
    connect(btnEmetti, &QPushButton::clicked, this, &TfrmFattura::btnEmettiClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmFattura::showLines()
{
    lstRighe->clear();
    qint64 total = 0;
    for (const Invoices::Line &l : m_draft.lines) {
        lstRighe->addItem(QStringLiteral("%1%2  %3")
                              .arg(l.tooth.isEmpty() ? QString() : QStringLiteral("Dente %1 - ").arg(l.tooth),
                                   l.description, Money::euro(l.cents)));
        total += l.cents;
    }
    lblTotale->setText(QStringLiteral("Totale prestazioni: ") + Money::euro(total));
}

void TfrmFattura::btnAggiungiTrattamentoClick()
{
    const int row = lstDaFatturare->currentRow();
    if (row < 0)
        return;
    m_draft.lines.append(m_uninvoiced.takeAt(row));
    delete lstDaFatturare->takeItem(row);
    showLines();
}

void TfrmFattura::btnAggiungiRigaClick()
{
    Invoices::Line l;
    l.description = txtDescrizione->text().trimmed();
    l.tooth = txtDente->text().trimmed();
    const std::optional<qint64> cents = Money::centsFromText(txtImporto->text().trimmed());
    if (l.description.isEmpty() || !cents || *cents <= 0) {
        Messages::warning(this, QStringLiteral("Scrivere la descrizione e un importo maggiore di zero."));
        return;
    }
    l.cents = *cents;
    m_draft.lines.append(l);
    showLines();
    for (QLineEdit *e : {txtDescrizione, txtDente, txtImporto})
        e->clear();
    txtDescrizione->setFocus();
}

void TfrmFattura::btnTogliRigaClick()
{
    const int row = lstRighe->currentRow();
    if (row < 0)
        return;
    const Invoices::Line l = m_draft.lines.takeAt(row);
    if (l.treatment != 0 && m_draft.kind == Invoices::Kind::Invoice) {
        m_uninvoiced.append(l);
        lstDaFatturare->addItem(QStringLiteral("%1  %2").arg(l.description, Money::euro(l.cents)));
    }
    showLines();
}

Invoices::Draft TfrmFattura::draft() const
{
    Invoices::Draft d = m_draft;
    d.paymentDate = Money::parseDate(txtDataPagamento->text().trimmed());
    d.method = d.paymentDate.isValid() ? std::optional(Money::Method(cboModalita->currentIndex())) : std::nullopt;
    d.opposition = chkOpposizione->isChecked();
    return d;
}

bool TfrmFattura::btnEmettiClick()
{
    const Invoices::Draft d = draft();
    if (!txtDataPagamento->text().trimmed().isEmpty() && !d.paymentDate.isValid()) {
        Messages::warning(this, QStringLiteral("La data del pagamento non è valida (gg/mm/aaaa)."));
        return false;
    }
    if (const QString why = Invoices::refusal(d); !why.isEmpty()) {
        Messages::warning(this, why);
        return false;
    }
    const QString what = Invoices::kindCaption(d.kind).toLower();
    if (!Messages::confirm(
            this, QStringLiteral("Emettere la %1? Una volta emessa non potrà più essere modificata.").arg(what)))
        return false;
    try {
        const Invoices::Issued issued = Invoices::issue(folder(), d, PracticeData::read(folder()));
        if (!issued.issued) {
            Messages::warning(this, issued.refusal);
            return false;
        }
        m_issued = issued.invoice;
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
        return false;
    }
    if (!MoneyWindows::keepPdf(m_issued))
        Messages::error(
            this,
            QStringLiteral("La %1 n. %2 è stata emessa, ma non è stato possibile salvarne il PDF in %3.")
                .arg(what, m_issued.number.text(), QDir::toNativeSeparators(Invoices::pdfPath(folder(), m_issued))));
    output(this, MoneyDocuments::invoice(m_issued, PracticeData::read(folder())), true);
    accept();
    return true;
}
