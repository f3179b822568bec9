#pragma once

#include "billing/Money.h"

#include <QString>

// "Dati dello studio": the practice's administrative data, in the small text file
// "Dati_Studio.ini" of the program folder (section [Studio], one "Chiave=valore" line per
// field, UTF-8; a backslash and a line break in a value are written "\\" and "\n"). It is
// written aside and renamed over the old file, so a crash or a full disk leaves the old data
// whole.
struct PracticeData
{
    QString denominazione;
    QString titolare; // the dentist owning the partita IVA: "cognome e nome"
    QString codiceFiscale;
    QString partitaIva;
    QString alboProvincia; // the dentists' register: province and number
    QString alboNumero;
    QString indirizzo;
    QString cap;
    QString citta;
    QString provincia;
    QString telefono;
    QString email;
    QString pec;
    QString iban;
    Money::Regime regime = Money::Regime::Ordinario;
    QString esenzione; // the wording printed; empty: the regime's own
    bool bolloAlPaziente = true;

    bool operator==(const PracticeData &) const = default;

    // The file's data; a missing file gives the defaults. Throws StorageError when the file is
    // there but cannot be read.
    static PracticeData read(const QString &programFolder);
    // Throws StorageError; the old file stays as it was.
    void write(const QString &programFolder) const;

    // Why the data cannot be saved (a codice fiscale or partita IVA that fails the tax
    // checks), or empty. Both may be left empty.
    QString refusal() const;
    // The wording printed: the one written here, or the regime's default.
    QString exemption() const;
};
