#pragma once

#include <QComboBox>
#include <QStringList>

// A drop-down whose value can only be picked from its list: typed characters, Backspace,
// Delete and pasting keys are discarded. The keyboard still works: Up and Down (and Page
// Up/Down, Home, End) step through the items from the one the text shows, Alt+Down or F4
// opens the list, Tab moves on. Enter is left to the window's Enter cycle.
class ListOnlyCombo : public QComboBox
{
    Q_OBJECT
public:
    ListOnlyCombo(const QString &objectName, const QStringList &items, QWidget *parent = nullptr);

    // Items "00", "01", ... up to last, two digits each.
    static QStringList twoDigitItems(int last);

    // No item selected, the text unchanged.
    void clearSelection();
    // True when the trimmed text is one of the items.
    bool holdsItem() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void step(int to);
};
