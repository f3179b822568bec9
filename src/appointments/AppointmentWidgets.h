#pragma once

#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QStringList>

class QLabel;

namespace AppointmentWidgets {

// The font of the entry fields of the appointment windows: Verdana 12 bold.
QFont fieldFont();

// A title or section banner (the card's "SCHEDA APPUNTAMENTO", "DATI PAZIENTE", ...): white
// capitals on a steel-blue bar, with small pictures of our artwork before the text.
// Decorative: it carries no hint, so hovering it empties the information strip.
QFrame *banner(const QString &objectName, const QString &text, const QStringList &icons, QWidget *parent,
               int height = 34);

// Items "00", "01", ... up to last, two digits each.
QStringList twoDigitItems(int last);

} // namespace AppointmentWidgets

// A drop-down whose value can only be picked from its list: typed characters, Backspace,
// Delete and pasting keys are discarded. The keyboard still works: Up and Down (and Page
// Up/Down, Home, End) step through the items from the one the text shows, Alt+Down or F4
// opens the list, Tab moves on. Enter is left to the window's Enter cycle.
class ListOnlyCombo : public QComboBox
{
    Q_OBJECT
public:
    ListOnlyCombo(const QString &objectName, const QStringList &items, QWidget *parent = nullptr);

    // No item selected, the text unchanged.
    void clearSelection();
    // True when the trimmed text is one of the items.
    bool holdsItem() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void step(int to);
};
