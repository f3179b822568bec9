#include "billing/MoneyListWindow.h"

#include "export/ExportProcedure.h"
#include "platform/Messages.h"
#include "ui/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kBarHeight = 48;
}

MoneyListWindow::MoneyListWindow(QWidget *parent, const QString &objectName, const QString &caption,
                                 const QString &banner, const QString &picture, const QString &printTitle,
                                 const QString &fileName, const QString &hint)
    : PrintedList(parent, objectName, caption, QStringLiteral("panElenco"),
                  ListPage::Look{banner, picture, QStringLiteral("spreadsheet"), hint, false}),
      m_fileName(fileName), m_sheet(printTitle)
{
    printsAs(printTitle, &Messages::error);
    Theme::makeFixedDialog(this, width(), height() + kBarHeight);
    panStrumenti = Theme::panel(QStringLiteral("panStrumenti"), this);
    panStrumenti->setFixedSize(page->width(), kBarHeight - 6);
    m_bar = new QHBoxLayout(panStrumenti);
    m_bar->setContentsMargins(10, 3, 10, 3);
    btnEsporta = Theme::textButton(QStringLiteral("btnEsporta"), QStringLiteral("Esporta"), panStrumenti);
    btnEsporta->setFixedSize(120, 32);
    m_bar->addStretch();
    m_bar->addWidget(btnEsporta);
    static_cast<QVBoxLayout *>(layout())->addWidget(panStrumenti, 0, Qt::AlignCenter);
    if (hint.isEmpty())
        page->lblDoppioClic->hide();
    // These lists hand nothing back: a double-click does not close them.
    disconnect(page, &ListPage::reopenRequested, this, nullptr);
    connect(btnEsporta, &QPushButton::clicked, this, &MoneyListWindow::btnEsportaClick);
}

QPushButton *MoneyListWindow::barButton(const char *name, const QString &caption)
{
    QPushButton *b = Theme::textButton(QString::fromLatin1(name), caption, panStrumenti);
    b->setFixedHeight(32);
    b->setMinimumWidth(110);
    m_bar->insertWidget(m_bar->count() - 2, b);
    return b;
}

void MoneyListWindow::reload() { page->setSource(lines()); }

void MoneyListWindow::btnEsportaClick()
{
    if (const std::optional<Export> e = exportRows())
        ExportProcedure::run(this, m_fileName, m_sheet, e->columns, e->rows);
}
