#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The dental scheme: both arches seen from above with the FDI numbers, drawn from our SVG
// at whatever size and pixel ratio the screen asks for.
class DentalScheme : public QWidget
{
    Q_OBJECT
public:
    explicit DentalScheme(QWidget *parent = nullptr);
    QSize sizeHint() const override { return {278, 472}; }

protected:
    void paintEvent(QPaintEvent *) override;
};

// The dental chart of one patient: one free line of text for each of the 32 teeth, a marker
// on the scheme for each tooth with a note, preview and print of the chart. It works on the
// texts it is given; "Applica e chiudi" hands the edited texts back, the close box nothing.
// Escape does nothing: a stray key must not take typed notes away.
class TfrmDentalCondition : public QDialog
{
    Q_OBJECT
public:
    // teeth: the 32 texts in tooth order (1 the upper right third molar ... 32).
    TfrmDentalCondition(const QString &patientName, const QStringList &teeth, QWidget *parent = nullptr);

    // Opens the chart modally; the 32 texts trimmed when the user applied them, nothing when
    // the window was closed otherwise.
    static std::optional<QStringList> edit(QWidget *parent, const QString &patientName, const QStringList &teeth);

    QWidget *panContainer;
    QLabel *lblTitolo;
    QLabel *lblIstruzioni;
    QFrame *shpSeparatore01;
    QFrame *shpSeparatore02;
    QFrame *shpSeparatore03;
    DentalScheme *imgSchemaDentale;
    QPushButton *btnPreview;
    QPushButton *btnPrint;
    QPushButton *btnClose;

    // Tooth 1 to 32.
    QLineEdit *txtDente(int tooth) const { return m_fields.at(tooth - 1); }
    QLabel *icoWarn(int tooth) const { return m_markers.at(tooth - 1); }
    // The 32 texts now in the window, trimmed.
    QStringList teeth() const;

    void FormShow();
    void btnCloseClick();
    void btnPreviewClick();
    void btnPrintClick();

signals:
    void applied(const QStringList &teeth);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void toothChanged(int tooth);

    QString m_patientName;
    QStringList m_given;
    QList<QLineEdit *> m_fields;
    QList<QLabel *> m_markers;
};
