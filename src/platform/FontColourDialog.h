#pragma once
// The note font chooser: Qt's font dialog has no colour, so this one puts a colour button beside the font
// widgets and gives back both in one step.
#include <QDialog>
#include <QFont>
#include <cstdint>

class QFontDialog;
class QPushButton;

class FontColourDialog : public QDialog {
    Q_OBJECT
public:
    // colour is 0x00BBGGRR, or a system colour reference, which stays as it is unless the user picks one.
    FontColourDialog(const QFont& font, uint32_t colour, QWidget* parent = nullptr);

    QFont SelectedFont() const;
    uint32_t SelectedColour() const { return m_colour; }

private:
    void ChooseColour();
    void ShowColour();

    QFontDialog* m_fonts;
    QPushButton* m_colourButton;
    uint32_t m_colour;
    QString m_family;  // a family handed in that this machine lacks
    QString m_standIn; // the family the font widgets show for it
};
