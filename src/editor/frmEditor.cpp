#include "editor/frmEditor.h"

#include "app/CheckShutdown.h"
#include "app/Program.h"
#include "core/mdlMonths.h"
#include "notes/NoteBack.h"
#include "notes/NoteColours.h"
#include "notes/NoteText.h"
#include "notes/frmNotes.h"
#include "platform/StoredColour.h"
#include "platform/WaitCursor.h"
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

namespace {

constexpr int YearCount = 11; // the year before this one and the next nine

// Selects an entry from code and runs the list's handler even when the entry was already selected, so
// that a note's stored value always reaches the note window and the record.
template <typename Handler> void Select(QComboBox* list, int index, Handler handler) {
    index = std::clamp(index, 0, std::max(0, list->count() - 1));
    {
        const QSignalBlocker quiet(list);
        list->setCurrentIndex(index);
    }
    handler();
}

int16_t RoundedSize(const QFont& font) {
    // Halves go to the even neighbour: 8.25 and 8.5 give 8, 9.5 gives 10.
    const double size = font.pointSizeF() > 0 ? font.pointSizeF() : font.pointSize();
    return static_cast<int16_t>(std::nearbyint(size));
}

} // namespace

frmEditor::frmEditor(Program& program) : QWidget(nullptr, Qt::Window), P(program) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Pinvale: EditNotes"));
    BuildControls();
    ConnectHandlers();
}

frmEditor::~frmEditor() {
    // Unloaded before: by now a new edit may be open, whose flags are not this window's to clear.
    if (P.Ending() || m_unloaded) return;
    P.EditorOpen = false;
    P.EditNoteLoading = false;
    mdlCommonFunc::CheckShutdown(P);
}

void frmEditor::Form_Load() {
    Select(cboAlign, 0, [this] { cboAlign_Click(); });
    Select(cboImgAl, 0, [this] { cboImgAl_Click(); });
    Select(cboStyle, 0, [this] { cboStyle_Click(); });
    // At design every group box is unchecked: its group starts disabled.
    chkImages_Click();
    for (SoundRow& row : m_sounds) SoundCheck(row);
    FillDateLists();
    const QDate today = P.S.Clock.Now().date();
    ShowDate(today.year() * 10000 + today.month() * 100 + today.day(), cboYS, cboMS, cboDS);
    ShowDate(today.year() * 10000 + today.month() * 100 + today.day(), cboYF, cboMF, cboDF);
    lblFont->setText(lblFont->font().family());
}

void frmEditor::ShowRecord(const NoteRecord& note) {
    chkEnabled->setChecked(note.Enabled != 0);
    ShowDate(note.ShowFrom, cboYS, cboMS, cboDS);
    ShowDate(note.ShowUntil, cboYF, cboMF, cboDF);
    QFont font = lblFont->font();
    font.setFamily(note.FontName);
    if (note.FontSize > 0) font.setPointSize(note.FontSize);
    font.setStrikeOut(note.FontStrikethru != 0);
    font.setUnderline(note.FontUnderline != 0);
    font.setItalic(note.FontItalic != 0);
    font.setBold(note.FontBold != 0);
    SetLabelFont(font, note.FontColour);
    lblFont->setText(note.FontName);
    Select(cboAlign, note.TextAlign - 1, [this] { cboAlign_Click(); });
    picBack->SetBackColour(note.BackColour);
    if (!note.ImagePath.isEmpty()) {
        chkImages->setChecked(true);
        txtImg->setText(note.ImagePath);
    }
    Select(cboImgAl, note.ImageAlign, [this] { cboImgAl_Click(); });
    for (SoundRow& row : m_sounds) {
        const QString& path = note.*row.Field;
        if (path.isEmpty()) continue;
        row.Check->setChecked(true);
        row.Path->setText(path);
    }
    Select(cboStyle, note.BorderStyle, [this] { cboStyle_Click(); });
}

int32_t frmEditor::CurrentYear() const {
    return P.S.Clock.Now().date().year();
}

void frmEditor::FillDateLists() {
    QStringList months;
    for (int16_t month = 1; month <= 12; ++month) months << mdlMonths::GetMonthName(month);
    QStringList years;
    for (int i = 0; i < YearCount; ++i) years << QStringLiteral(" %1").arg(CurrentYear() - 1 + i);
    for (QComboBox* list : {cboMS, cboMF, cboYS, cboYF}) {
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItems(list == cboMS || list == cboMF ? months : years);
    }
}

// Year before month before day, so the day list holds the stored month's days before the day is picked.
// A year before the lists shows as their first year, one after them as their last; a day beyond its
// month as the month's last day.
void frmEditor::ShowDate(int32_t date, QComboBox* years, QComboBox* months, QComboBox* days) {
    const int32_t year = date / 10000;
    Select(years, year - (CurrentYear() - 1), [] {});
    Select(months, date / 100 % 100 - 1, [&] { RefillDays(days, months, years); });
    Select(days, date % 100 - 1, [] {});
}

void frmEditor::RefillDays(QComboBox* days, const QComboBox* months, const QComboBox* years) {
    const int kept = days->currentIndex();
    const QSignalBlocker quiet(days);
    days->clear();
    const int16_t year = static_cast<int16_t>(CurrentYear() - 1 + std::max(0, years->currentIndex()));
    const int n = mdlMonths::DaysInMonth(static_cast<int16_t>(months->currentIndex() + 1), year);
    for (int day = 1; day <= n; ++day) days->addItem(QStringLiteral(" %1").arg(day));
    days->setCurrentIndex(n - 1 < kept ? n - 1 : kept);
}

void frmEditor::cboMS_Click() {
    RefillDays(cboDS, cboMS, cboYS);
}

void frmEditor::cboMF_Click() {
    RefillDays(cboDF, cboMF, cboYF);
}

int32_t frmEditor::DateNumber(int32_t currentYear, const QComboBox* years, const QComboBox* months,
                              const QComboBox* days) {
    return (currentYear - 1 + years->currentIndex()) * 10000 + (months->currentIndex() + 1) * 100 +
           (days->currentIndex() + 1);
}

int32_t frmEditor::FromDateNumber() const {
    return DateNumber(CurrentYear(), cboYS, cboMS, cboDS);
}

int32_t frmEditor::UntilDateNumber() const {
    return DateNumber(CurrentYear(), cboYF, cboMF, cboDF);
}

void frmEditor::cboAlign_Click() {
    const int16_t align = static_cast<int16_t>(cboAlign->currentIndex() + 1);
    if (P.EditNote) P.EditNote->txtNote->SetTextAlign(align);
    P.EditRecord.TextAlign = align;
}

void frmEditor::cboImgAl_Click() {
    const WaitCursor wait;
    const int16_t placement = static_cast<int16_t>(cboImgAl->currentIndex());
    imgImage->SetPlacement(placement);
    if (P.EditNote) P.EditNote->SetImageAlign(placement);
    P.EditRecord.ImageAlign = placement;
}

void frmEditor::cboStyle_Click() {
    const int16_t style = static_cast<int16_t>(cboStyle->currentIndex());
    const int32_t effect = style < 4 ? style : 6; // the bump effect's own number
    txtEG->SetEffect(NoteFrame::FromBorderStyle(effect));
    if (P.EditNote) P.EditNote->SetBorderStyle(effect);
    P.EditRecord.BorderStyle = style;
}

void frmEditor::chkEnabled_Click() {
    P.EditRecord.Enabled = chkEnabled->isChecked() ? 1 : 0;
}

void frmEditor::SetLabelFont(const QFont& font, uint32_t colour) {
    lblFont->setFont(font);
    lblFontColour = colour;
    QPalette pal = lblFont->palette();
    pal.setColor(QPalette::WindowText, NoteColours::ResolveColour(colour));
    lblFont->setPalette(pal);
}

// Handed the label's whole font and colour; a cancelled chooser hands them back unchanged, so both ways
// end in the same steps.
void frmEditor::cmdFont_Click() {
    QFont font = lblFont->font();
    uint32_t colour = lblFontColour;
    P.S.Choosers.ChooseFont(font, colour);
    SetLabelFont(font, colour);
    lblFont->setText(font.family());
    if (P.EditNote) {
        P.EditNote->txtNote->SetTextColour(colour);
        P.EditNote->SetNoteFont(font.family(), RoundedSize(font), font.bold(), font.italic(), font.strikeOut(),
                                font.underline());
    }
    FontToRecord();
}

void frmEditor::FontToRecord() {
    const QFont font = lblFont->font();
    P.EditRecord.FontBold = font.bold() ? -1 : 0;
    P.EditRecord.FontItalic = font.italic() ? -1 : 0;
    P.EditRecord.FontStrikethru = font.strikeOut() ? -1 : 0;
    P.EditRecord.FontUnderline = font.underline() ? -1 : 0;
    P.EditRecord.FontName = lblFont->text();
    P.EditRecord.FontColour = lblFontColour;
    P.EditRecord.FontSize = RoundedSize(font);
}

void frmEditor::cmdBack_Click() {
    // The chooser starts from the colour the swatch shows, a system colour's too; cancelled, it gives back
    // the colour as it was, system colour and all.
    const uint32_t before = picBack->BackColour();
    uint32_t colour = ToStored(NoteColours::ResolveColour(before));
    SetBackColour(P.S.Choosers.ChooseColour(colour) ? colour : before);
}

void frmEditor::SetBackColour(uint32_t colour) {
    picBack->SetBackColour(colour);
    if (P.EditNote) P.EditNote->SetBackColour(colour);
    P.EditRecord.BackColour = colour;
}

void frmEditor::picBack_Click() {
    P.EditRecord.BackColour = picBack->BackColour();
}

void frmEditor::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !P.EditNote) return;
    if (isMinimized())
        P.EditNote->showMinimized();
    else
        P.EditNote->showNormal();
}

void frmEditor::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Any size event but a minimise brings the note window back to its normal state too.
    if (isVisible() && !isMinimized() && P.EditNote && (P.EditNote->isMinimized() || P.EditNote->isMaximized()))
        P.EditNote->showNormal();
}

void frmEditor::cmdCancel_Click() {
    P.EditorOpen = false;
    close();
}

void frmEditor::closeEvent(QCloseEvent* event) {
    event->accept();
    if (P.Ending() || m_unloaded) return;
    m_unloaded = true;
    if (P.EditNote) P.EditNote->close(); // plays the edit's close sound
    P.EditorOpen = false;
    P.EditNoteLoading = false;
    mdlCommonFunc::CheckShutdown(P);
}
