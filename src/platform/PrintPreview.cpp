#include "platform/PrintPreview.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
QPushButton *button(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(caption);
    b->setCursor(Qt::PointingHandCursor);
    b->setAutoDefault(false);
    return b;
}
} // namespace

TfrmAnteprima::TfrmAnteprima(Printer::Document document, QWidget *parent)
    : QDialog(parent), m_document(std::move(document)), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("frmAnteprima"));
    setWindowTitle(QStringLiteral(" Anteprima di stampa"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    Printer::setUp(*m_printer, *m_document);

    btnStampa = button(QStringLiteral("btnStampa"), QStringLiteral("Stampa"), this);
    cboZoom = new QComboBox(this);
    cboZoom->setObjectName(QStringLiteral("cboZoom"));
    cboZoom->setAccessibleName(QStringLiteral("Zoom"));
    for (int percent : {50, 75, 100, 125, 150, 200, 300})
        cboZoom->addItem(QString::number(percent) + QStringLiteral(" %"), percent / 100.0);
    cboZoom->setCurrentIndex(2);
    auto *zoomLabel = new QLabel(QStringLiteral("Zoom:"), this);
    zoomLabel->setBuddy(cboZoom);
    btnSchermoIntero = button(QStringLiteral("btnSchermoIntero"), QStringLiteral("Schermo intero"), this);
    btnSchermoIntero->setCheckable(true);
    btnChiudi = button(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), this);

    pvwPagine = new QPrintPreviewWidget(m_printer.get(), this);
    pvwPagine->setObjectName(QStringLiteral("pvwPagine"));
    pvwPagine->setAccessibleName(QStringLiteral("Pagine del documento"));
    pvwPagine->setViewMode(QPrintPreviewWidget::SinglePageView);
    connect(pvwPagine, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) {
        // A preview cancelled while its pages are made is closed, not shown in part.
        if (Printer::paint(*printer, *m_document, this, QStringLiteral("Preparazione dell'anteprima in corso..."))
            == Printer::Outcome::Cancelled)
            QMetaObject::invokeMethod(this, &QDialog::close, Qt::QueuedConnection);
    });

    auto *bar = new QHBoxLayout;
    bar->addWidget(btnStampa);
    bar->addSpacing(12);
    bar->addWidget(zoomLabel);
    bar->addWidget(cboZoom);
    bar->addSpacing(12);
    bar->addWidget(btnSchermoIntero);
    bar->addStretch();
    bar->addWidget(btnChiudi);
    auto *column = new QVBoxLayout(this);
    column->addLayout(bar);
    column->addWidget(pvwPagine, 1);

    connect(btnStampa, &QPushButton::clicked, this, &TfrmAnteprima::btnStampaClick);
    connect(cboZoom, &QComboBox::currentIndexChanged, this, &TfrmAnteprima::cboZoomChange);
    connect(btnSchermoIntero, &QPushButton::clicked, this, &TfrmAnteprima::btnSchermoInteroClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmAnteprima::btnChiudiClick);

    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
    resize(qMin(area.width() - 40, 1100), area.height() - 60);
    pvwPagine->setZoomMode(QPrintPreviewWidget::CustomZoom);
    pvwPagine->setZoomFactor(1.0);
}

TfrmAnteprima::~TfrmAnteprima() = default;

double TfrmAnteprima::zoom() const { return pvwPagine->zoomFactor(); }

void TfrmAnteprima::btnStampaClick() { Printer::print(this, m_document); }

void TfrmAnteprima::cboZoomChange()
{
    pvwPagine->setZoomMode(QPrintPreviewWidget::CustomZoom);
    pvwPagine->setZoomFactor(cboZoom->currentData().toDouble());
}

void TfrmAnteprima::btnSchermoInteroClick()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
    btnSchermoIntero->setChecked(isFullScreen());
}

void TfrmAnteprima::btnChiudiClick() { close(); }
