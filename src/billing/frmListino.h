#pragma once

#include "billing/MoneyListWindow.h"
#include "billing/PriceList.h"
#include "ui/Dialog.h"

class QComboBox;
class QLineEdit;

// "Listino prestazioni": the price list with its search, print and export; "Nuova voce"
// adds a service, "Modifica" (or a double-click on a line) changes the one selected.
class TfrmListino : public MoneyListWindow
{
    Q_OBJECT
public:
    explicit TfrmListino(QWidget *parent);
    QPushButton *btnNuova;
    QPushButton *btnModifica;

    void btnNuovaClick();
    void btnModificaClick();

protected:
    SharedLines lines() override;
    std::optional<Export> exportRows() override;

private:
    void edit(const PriceList::Item &item);
    QList<PriceList::Item> m_items; // as last read, in list order
};

// " Sorrisa - Voce del listino": one service of the price list. "Salva" refuses (with the
// reason) what the list cannot take and writes the service otherwise.
class TfrmVoceListino : public Dialog
{
    Q_OBJECT
public:
    TfrmVoceListino(QWidget *parent, const PriceList::Item &item, const QList<PriceList::Item> &list);

    QLineEdit *txtCodice;
    QLineEdit *txtDescrizione;
    QLineEdit *txtPrezzo;
    QLineEdit *txtTipoSpesa;
    QComboBox *cmbLavoro;
    QPushButton *btnSalva;
    QPushButton *btnAnnulla;

    // False (and said why) when refused or when the list cannot be written.
    bool btnSalvaClick();

private:
    PriceList::Item m_item;
    QList<PriceList::Item> m_list;
};
