#include "ui/ListDialog.h"

#include "ui/FixedList.h"
#include "ui/Theme.h"

#include <QLineEdit>
#include <QVBoxLayout>

ListDialog::ListDialog(QWidget *parent, const QString &objectName, const QString &caption, const QString &pageName,
                       const ListPage::Look &look, const QString &containerName)
    : Dialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    Theme::setGradient(this, "steel");
    Theme::makeFixedDialog(this, 862, 560);

    auto *outer = new QVBoxLayout(this);
    if (containerName.isEmpty()) {
        page = new ListPage(pageName, look, this);
        outer->addWidget(page, 0, Qt::AlignCenter);
    } else {
        auto *container = new QWidget(this);
        container->setObjectName(containerName);
        container->setProperty("role", QStringLiteral("container"));
        page = new ListPage(pageName, look, container);
        auto *inner = new QVBoxLayout(container);
        inner->setContentsMargins(0, 0, 0, 0);
        inner->addWidget(page);
        outer->addWidget(container, 0, Qt::AlignCenter);
    }
    txtTrova = page->txtTrova;
    btnTrova = page->btnTrova;
    lstRecords = page->lstRecords;
    btnChiudi = page->btnChiudi;
    btnStampa = page->btnStampa;

    connect(page, &ListPage::reopenRequested, this, &ListDialog::lstRecordsDblClick);
    connect(page, &ListPage::printRequested, this, &ListDialog::btnStampaClick);
    connect(page, &ListPage::closeRequested, this, &ListDialog::btnChiudiClick);
}

void ListDialog::FormShow()
{
    page->restart();
    page->setSource(lines());
    txtTrova->setFocus();
}

void ListDialog::FormClose() { lstRecords->clear(); }

void ListDialog::btnTrovaClick() { page->findInList(); }

void ListDialog::lstRecordsDblClick()
{
    // The record is read by the window that takes the position; when it cannot be read the
    // list closes without a message all the same.
    if (const qint64 position = page->selectedPosition(); position > 0)
        emit positionChosen(position);
    close();
}

void ListDialog::btnChiudiClick() { close(); }
