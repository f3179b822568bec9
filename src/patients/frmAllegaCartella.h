#pragma once

#include "patients/Attachments.h"

#include "ui/Dialog.h"

class PictureButton;
class QLineEdit;
class QPushButton;

// The card's three attached files: each slot's file is picked with "Sfoglia...", copied at
// once into the attachments folder and named in the slot; "Apri" opens the copy; the eraser
// empties the slot's name. "Applica e chiudi" gives the six texts back (applied) when the
// window was opened for a patient card; opened only to look, it applies nothing. The card's record position (0 for a
// card not yet in the archive) tells its own attachments from those of the other cards.
class TfrmAllegaCartella : public Dialog
{
    Q_OBJECT
public:
    enum class Mode {
        ForCard,  // "Applica e chiudi" hands the texts back to the card
        LookOnly, // "Applica e chiudi" does nothing
    };
    TfrmAllegaCartella(QWidget *parent, const Attachments::Texts &texts, Mode mode, qint64 cardPosition = 0);

    QWidget *imgIstruzioni;
    QLineEdit *txtFile01, *txtFile02, *txtFile03;
    PictureButton *imgCancella01, *imgCancella02, *imgCancella03;
    QPushButton *btnSfoglia01, *btnSfoglia02, *btnSfoglia03;
    QPushButton *btnApri01, *btnApri02, *btnApri03;
    QLineEdit *txtDesc01, *txtDesc02, *txtDesc03;
    QPushButton *btnAnnulla;
    QPushButton *btnApplica;

    // The six texts as the window shows them, trimmed.
    Attachments::Texts texts() const;

    // Slot 1 to 3.
    void btnSfogliaClick(int slot);
    void btnApriClick(int slot);
    void imgCancellaClick(int slot);
    void btnApplicaClick();
    void btnAnnullaClick();

signals:
    void applied(const Attachments::Texts &texts);

protected:
    void FormShow() override;

private:
    QLineEdit *fileField(int slot) const;
    QLineEdit *descField(int slot) const;
    QPushButton *openButton(int slot) const;
    // The name a copy of the chosen file takes in the attachments folder, and whether a file
    // of that name is to be replaced after asking.
    QString nameForCopy(int slot, const QString &chosen, bool &ask) const;

    Mode m_mode;
    qint64 m_cardPosition;
};
