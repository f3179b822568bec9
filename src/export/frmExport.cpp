#include "export/frmExport.h"

#include "export/ExportProcedure.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "storage/RecordFile.h"
#include "ui/Help.h"
#include "ui/HintStrip.h"
#include "ui/PictureButton.h"
#include "ui/Theme.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kHintEsporta = QStringLiteral("Esporta l'archivio in formato Microsoft Excel.");
const QString kHintGuida = QStringLiteral("Visualizza la pagina della guida sensibile al contesto.");
const QString kHintEsci = QStringLiteral("Esci da questo ambiente di lavoro.");

Help::Topic topicOf(Exports::Member member)
{
    switch (member) {
    case Exports::Member::Clients:
        return Help::ExpClients;
    case Exports::Member::Scadenzario:
        return Help::ExpScadenzario;
    case Exports::Member::Imminenti:
    case Exports::Member::Giornaliere:
    case Exports::Member::Mensili:
        break;
    }
    return Help::Visualizzazione;
}

PictureButton *pictureButton(const char *name, const char *svg, const QString &accessible, const QString &hint,
                             QWidget *parent)
{
    auto *b = new PictureButton(QString::fromLatin1(name), QString::fromLatin1(svg), accessible, parent);
    b->setPictureSize(QSize(44, 44));
    b->setFixedSize(b->sizeHint());
    b->setHint(hint);
    return b;
}

} // namespace

// ---- The grid's model ----

ExportModel::ExportModel(const Exports::Description &description, ExportTable &rows, QObject *parent)
    : QAbstractTableModel(parent), m_description(description), m_rows(rows)
{}

int ExportModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_rows.rowCount()); }

int ExportModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_description.columns.size());
}

QVariant ExportModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (index.column() == 0)
        return QString::number(m_rows.number(index.row()));
    return m_rows.text(index.row(), index.column() - 1);
}

QVariant ExportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_description.columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_description.columns.at(section).header;
    if (role == Qt::UserRole) // the column's name, for whoever looks a column up by it
        return QString::fromLatin1(m_description.columns.at(section).name);
    return {};
}

Qt::ItemFlags ExportModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && m_description.columns.at(index.column()).editable)
        f |= Qt::ItemIsEditable;
    return f;
}

bool ExportModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    m_rows.setText(index.row(), index.column() - 1, value.toString());
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

// ---- The window ----

TfrmExport::TfrmExport(Exports::Member member, const QDate &picked, QWidget *parent)
    : Dialog(parent), m_description(Exports::description(member)), m_picked(picked),
      m_rows(m_description.exportedColumns())
{
    setObjectName(QString::fromLatin1(m_description.objectName));
    setWindowTitle(m_description.caption);
    setStyleSheet(Theme::sheet(Theme::Sheet::ExportWindow));
    Theme::makeFixedDialog(this, 862, 560);

    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setProperty("role", QStringLiteral("container"));
    panContainer->setFixedSize(837, 533);

    // Title banner: the spreadsheet picture and the window's name.
    imgLogo = new QFrame(panContainer);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setAccessibleName(m_description.caption.trimmed());
    imgLogo->setStyleSheet(Theme::sheet(Theme::Sheet::ExportBanner));
    imgLogo->setFixedHeight(60);
    QLabel *logoPicture =
        Theme::picture(QStringLiteral("imgLogoFoglio"), QStringLiteral("spreadsheet"), 44, 44, imgLogo);
    auto *logoText = new QLabel(m_description.caption.trimmed().toUpper(), imgLogo);
    QFont title = Theme::verdana(15, true);
    title.setPixelSize(20);
    logoText->setFont(title);
    logoText->setStyleSheet(Theme::labelColour(Theme::Colour::Paper));
    auto *logoRow = new QHBoxLayout(imgLogo);
    logoRow->setContentsMargins(14, 6, 18, 6);
    logoRow->setSpacing(12);
    logoRow->addWidget(logoPicture);
    logoRow->addWidget(logoText, 1);

    icoHand = Theme::picture(QStringLiteral("icoHand"), QStringLiteral("hand"), 40, 40, panContainer);
    cmdEsporta = pictureButton("cmdEsporta", "export", QStringLiteral("Esporta in Excel"), kHintEsporta, panContainer);
    cmdGuida = pictureButton("cmdGuida", "help", QStringLiteral("Guida"), kHintGuida, panContainer);
    cmdEsci = pictureButton("cmdEsci", "exit", QStringLiteral("Esci"), kHintEsci, panContainer);

    shpSfondo = Theme::panel(QStringLiteral("shpSfondo"), panContainer);
    grdRecords = new QTableView(shpSfondo);
    grdRecords->setObjectName(QStringLiteral("grdRecords"));
    grdRecords->setAccessibleName(m_description.caption.trimmed());
    m_model = new ExportModel(m_description, m_rows, this);
    grdRecords->setModel(m_model);
    grdRecords->setAlternatingRowColors(true);
    grdRecords->setStyleSheet(Theme::sheet(Theme::Sheet::ExportGrid));
    grdRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    grdRecords->setSelectionBehavior(QAbstractItemView::SelectItems);
    grdRecords->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                | QAbstractItemView::AnyKeyPressed);
    grdRecords->setTabKeyNavigation(false); // Tab leaves the grid for the buttons
    grdRecords->setWordWrap(false);
    grdRecords->verticalHeader()->hide();
    grdRecords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdRecords->verticalHeader()->setDefaultSectionSize(21);
    grdRecords->horizontalHeader()->setHighlightSections(false);
    for (int c = 0; c < m_description.columns.size(); ++c)
        grdRecords->setColumnWidth(c, m_description.columns.at(c).screenWidth);
    grdRecords->viewport()->setMouseTracking(true);
    grdRecords->viewport()->installEventFilter(this);
    auto *gridBox = new QVBoxLayout(shpSfondo);
    gridBox->setContentsMargins(6, 6, 6, 6);
    gridBox->addWidget(grdRecords);

    shpInfo = new QFrame(panContainer);
    shpInfo->setObjectName(QStringLiteral("shpInfo"));
    shpInfo->setStyleSheet(Theme::sheet(Theme::Sheet::ExportInfo));
    shpInfo->setFixedHeight(38);
    panInfo = new HintStrip(QStringLiteral("panInfo"), m_description.initialInfo, shpInfo);
    QFont tahoma = Theme::tahoma();
    tahoma.setPointSize(12);
    panInfo->setFont(tahoma);
    panInfo->setStyleSheet(Theme::sheet(Theme::Sheet::ExportInfoText));
    auto *infoBox = new QHBoxLayout(shpInfo);
    infoBox->setContentsMargins(0, 0, 0, 0);
    infoBox->addWidget(panInfo);

    auto *top = new QHBoxLayout;
    top->setSpacing(8);
    top->addWidget(imgLogo, 1);
    top->addSpacing(10);
    top->addWidget(icoHand);
    top->addWidget(cmdEsporta);
    top->addWidget(cmdGuida);
    top->addWidget(cmdEsci);
    auto *column = new QVBoxLayout(panContainer);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addLayout(top);
    column->addWidget(shpSfondo, 1);
    column->addWidget(shpInfo);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(panContainer, 0, Qt::AlignCenter);

    setTabOrder(grdRecords, cmdEsporta);
    setTabOrder(cmdEsporta, cmdGuida);
    setTabOrder(cmdGuida, cmdEsci);

    panInfo->watch(this);

    connect(cmdEsporta, &PictureButton::clicked, this, &TfrmExport::cmdEsportaClick);
    connect(cmdGuida, &PictureButton::clicked, this, &TfrmExport::cmdGuidaClick);
    connect(cmdEsci, &PictureButton::clicked, this, &TfrmExport::cmdEsciClick);
}

bool TfrmExport::eventFilter(QObject *watched, QEvent *event)
{
    // The grid counts as the window's background for the information strip.
    if (watched == grdRecords->viewport() && event->type() == QEvent::MouseMove)
        panInfo->clear();
    return Dialog::eventFilter(watched, event);
}

void TfrmExport::FormShow()
{
    m_model->beginRefill();
    m_rows.clear();
    bool failed = false;
    try {
        Exports::fill(m_description.member, m_picked, Clock::today(), m_rows);
    } catch (const StorageError &) {
        failed = true;
    }
    m_model->endRefill();
    m_readWhole = !failed;
    // An archive that cannot be read must not pass for an empty one, whose export would then
    // replace a good file: say so, and keep the rows read before the failure to be seen.
    if (failed)
        Messages::error(this, kArchiveFailure);
    grdRecords->setFocus();
}

void TfrmExport::cmdEsportaClick()
{
    if (!m_readWhole) {
        Messages::warning(this, ExportProcedure::kIncomplete);
        return;
    }
    ExportProcedure::run(this, m_description.fileName, m_description.sheetName, m_description.fileColumns(), m_rows);
}

void TfrmExport::cmdGuidaClick() { Help::show(this, topicOf(m_description.member)); }

void TfrmExport::cmdEsciClick() { close(); }

namespace Exports {

void open(QWidget *caller, Member member, const QDate &picked) { Modal::run(new TfrmExport(member, picked, caller)); }

} // namespace Exports
