#include "platform/FontColourDialog.h"

#include "platform/StoredColour.h"
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QColor Shown(uint32_t colour, const QPalette& palette) {
    // A system colour reference shows as the desktop's button text until the user picks a real colour.
    if (colour & 0x80000000u) return palette.color(QPalette::ButtonText);
    return FromStored(colour);
}

// Qt's font dialog picks the first style of a family whose style names it does not recognise ("Book"
// for regular), so a plain font would come back condensed and italic. Name the style it has.
QFont WithStyleName(QFont font) {
    QString best;
    for (const QString& style : QFontDatabase::styles(font.family())) {
        if (QFontDatabase::italic(font.family(), style) != font.italic() ||
            QFontDatabase::bold(font.family(), style) != font.bold())
            continue;
        if (best.isEmpty() || style.size() < best.size()) best = style; // "Italic" before "Condensed Italic"
    }
    if (!best.isEmpty()) font.setStyleName(best);
    return font;
}

} // namespace

FontColourDialog::FontColourDialog(const QFont& font, uint32_t colour, QWidget* parent)
    : QDialog(parent), m_colour(colour) {
    setWindowTitle(QStringLiteral("Select Font & Font Colour. . ."));
    m_fonts = new QFontDialog(WithStyleName(font), this);
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_fonts->setWindowFlags(Qt::Widget); // its widgets inside this dialog, not a window of its own
    if (!QFontDatabase::hasFamily(font.family())) {
        m_family = font.family();
        m_standIn = m_fonts->currentFont().family();
    }
    m_colourButton = new QPushButton(QStringLiteral("Font &Colour. . ."), this);
    connect(m_colourButton, &QPushButton::clicked, this, &FontColourDialog::ChooseColour);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(m_colourButton);
    row->addStretch();
    row->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts);
    layout->addLayout(row);
    ShowColour();
}

QFont FontColourDialog::SelectedFont() const {
    // A family this machine lacks shows as its stand-in; unless the user picks another family, the note
    // keeps the name it has.
    QFont font = m_fonts->currentFont();
    if (font.family() == m_standIn) font.setFamily(m_family);
    return font;
}

void FontColourDialog::ChooseColour() {
    const QColor chosen = QColorDialog::getColor(Shown(m_colour, palette()), this, QStringLiteral("Font Colour"));
    if (!chosen.isValid()) return;
    m_colour = ToStored(chosen);
    ShowColour();
}

void FontColourDialog::ShowColour() {
    QPixmap swatch(16, 16);
    swatch.fill(Shown(m_colour, palette()));
    m_colourButton->setIcon(QIcon(swatch));
}
