#include "notes/frmNotes.h"

#include "app/CheckShutdown.h"
#include "app/Program.h"
#include "manager/frmAbout.h"
#include "notes/NoteColours.h"
#include "notes/PictureLoader.h"
#include "platform/WaitCursor.h"
#include <QApplication>
#include <QCloseEvent>
#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t MinimumSide = 800; // twips
constexpr int32_t ButtonsDrop = 270; // how far the text box makes way for the caption buttons
constexpr int32_t EditorGap = 120;   // between the editor's note window and the editor
constexpr int32_t CaptionButton = 192;
constexpr int32_t CornerButton = 195;

} // namespace

frmNotes::frmNotes(Program& program) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), P(program) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("PVL 3"));
    BuildControls();
    ConnectHandlers();
    PlaceNote(0, 0, 2712, 2352); // the design size, until Form_Load sizes the window from the settings
}

frmNotes::~frmNotes() {
    if (!P.Ending()) mdlCommonFunc::CheckShutdown(P);
}

void frmNotes::BuildControls() {
    imgBack = new NoteBack(this);
    imgBack->setCursor(Qt::SizeAllCursor);
    txtNote = new NoteText(this);
    // Created after the text box, so they lie above it and take the mouse even while they draw nothing.
    cmdCtl = new ImageButton(this);
    cmdM = new ImageButton(this);
    cmdMR = new ImageButton(this);
    cmdC = new ImageButton(this);
    cmdSound = new ImageButton(this);
    cmdLast = new ImageButton(this);
    cmdNext = new ImageButton(this);
}

void frmNotes::ConnectHandlers() {
    for (ImageButton* button : {cmdCtl, cmdM, cmdMR, cmdC})
        connect(button, &ImageButton::mouseMoved, this, &frmNotes::ShowTopButtons);
    connect(cmdNext, &ImageButton::mouseMoved, this, &frmNotes::ShowNavButtons);
    connect(cmdLast, &ImageButton::mouseMoved, this, &frmNotes::ShowNavButtons);
    connect(cmdSound, &ImageButton::mouseMoved, this, &frmNotes::cmdSound_MouseMove);
    connect(cmdC, &ImageButton::clicked, this, &frmNotes::cmdC_Click);
    connect(cmdCtl, &ImageButton::clicked, this, &frmNotes::cmdCtl_Click);
    connect(cmdM, &ImageButton::clicked, this, &frmNotes::cmdM_Click);
    connect(cmdMR, &ImageButton::clicked, this, &frmNotes::cmdMR_Click);
    connect(cmdNext, &ImageButton::clicked, this, &frmNotes::cmdNext_Click);
    connect(cmdLast, &ImageButton::clicked, this, &frmNotes::cmdLast_Click);
    connect(cmdSound, &ImageButton::clicked, this, &frmNotes::cmdSound_Click);
    connect(imgBack, &NoteBack::mousePressed, this, &frmNotes::imgBack_MouseDown);
    connect(imgBack, &NoteBack::mouseMoved, this, &frmNotes::imgBack_MouseMove);
    connect(txtNote, &NoteText::mouseMoved, this, &frmNotes::txtNote_MouseMove);
    connect(txtNote, &NoteText::mousePressed, this, &frmNotes::txtNote_MouseDown);
    connect(txtNote, &QTextEdit::textChanged, this, &frmNotes::txtNote_Change);
}

void frmNotes::Form_Load() {
    const WaitCursor wait;
    TopButtonsShown = false;
    IsMaximised = false;
    const int32_t W = P.Settings.NoteWidth * P.S.Screen.TwipsPerPixelX();
    const int32_t H = P.Settings.NoteHeight * P.S.Screen.TwipsPerPixelY();
    if (!P.EditNoteLoading) {
        setWindowTitle(QStringLiteral("PVL 3") + NoteTextValue().trimmed());
        PlaceNote(LeftTwips(), TopTwips(), W, H);
        txtNote->viewport()->setCursor(Qt::IBeamCursor); // a text box's own pointer
        return;
    }
    // The editor's note window: this window, a gap and the editor make one row centred on the screen
    // that holds the mouse. A row wider than that screen starts at its left edge; the editor then keeps
    // itself on the screen.
    P.EditNoteLoading = false;
    setWindowTitle(QStringLiteral("PVL 3: EditNotes"));
    const QRect area = P.S.Screen.WorkAreaTwips();
    const double centredLeft = area.x() + area.width() / 2.0 - (W + EditorGap + EditorWidth) / 2.0;
    const double centredTop = area.y() + area.height() / 2.0 - std::max(H, EditorHeight) / 2.0;
    const auto left = std::max(area.x(), static_cast<int32_t>(std::lrint(centredLeft)));
    const auto top = std::max(area.y(), static_cast<int32_t>(std::lrint(centredTop)));
    PlaceNote(left, top, W, H);
    txtNote->viewport()->setCursor(Qt::IBeamCursor);
}

void frmNotes::PlaceNote(int32_t Left, int32_t Top, int32_t Width, int32_t Height) {
    Width = std::max(Width, MinimumSide);
    Height = std::max(Height, MinimumSide);
    setGeometry(ToPixelsX(Left), ToPixelsY(Top), ToPixelsX(Width), ToPixelsY(Height));
    LayOut(Width, Height, 0);
}

void frmNotes::ArrangeControls() {
    LayOut(WidthTwips(), HeightTwips(), ButtonsDrop);
}

void frmNotes::LayOut(int32_t W, int32_t H, int32_t textDrop) {
    SetTwipsGeometry(imgBack, QRect(0, 0, W, H));
    SetTextTwips(QRect(45, 45 + textDrop, W - 90, H - 90 - textDrop));
    SetTwipsGeometry(cmdCtl, QRect(60, 60, CornerButton, CornerButton));
    SetTwipsGeometry(cmdM, QRect(W - 645, 60, CaptionButton, CaptionButton));
    SetTwipsGeometry(cmdMR, QRect(W - 450, 60, CaptionButton, CaptionButton));
    SetTwipsGeometry(cmdC, QRect(W - 255, 60, CaptionButton, CaptionButton));
    SetTwipsGeometry(cmdSound, QRect(90, H - 282, CornerButton, CornerButton));
    SetTwipsGeometry(cmdLast, QRect(W - 510, H - 282, CaptionButton, CaptionButton));
    SetTwipsGeometry(cmdNext, QRect(W - 330, H - 282, CaptionButton, CaptionButton));
    m_laidOutFor = QSize(ToPixelsX(W), ToPixelsY(H));
}

void frmNotes::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Maximising and restoring finish after cmdMR_Click has returned; lay out again for the size the
    // window really got, keeping the text box as far down as it is now.
    if (size() == m_laidOutFor) return;
    LayOut(WidthTwips(), HeightTwips(), m_textTwips.top() - 45);
}

void frmNotes::SetTextTwips(const QRect& twips) {
    m_textTwips = twips;
    SetTwipsGeometry(txtNote, twips);
}

void frmNotes::SetTwipsGeometry(QWidget* control, const QRect& twips) const {
    control->setGeometry(ToPixelsX(twips.x()), ToPixelsY(twips.y()), ToPixelsX(twips.width()),
                         ToPixelsY(twips.height()));
}

int frmNotes::ToPixelsX(int32_t twips) const {
    return static_cast<int>(std::lround(twips / static_cast<double>(std::max(1, P.S.Screen.TwipsPerPixelX()))));
}

int frmNotes::ToPixelsY(int32_t twips) const {
    return static_cast<int>(std::lround(twips / static_cast<double>(std::max(1, P.S.Screen.TwipsPerPixelY()))));
}

int32_t frmNotes::LeftTwips() const {
    return geometry().x() * P.S.Screen.TwipsPerPixelX();
}
int32_t frmNotes::TopTwips() const {
    return geometry().y() * P.S.Screen.TwipsPerPixelY();
}
int32_t frmNotes::WidthTwips() const {
    return width() * P.S.Screen.TwipsPerPixelX();
}
int32_t frmNotes::HeightTwips() const {
    return height() * P.S.Screen.TwipsPerPixelY();
}

QRect frmNotes::TwipsGeometry(const QWidget* control) const {
    const QRect g = control->geometry();
    const int32_t x = P.S.Screen.TwipsPerPixelX();
    const int32_t y = P.S.Screen.TwipsPerPixelY();
    return QRect(g.x() * x, g.y() * y, g.width() * x, g.height() * y);
}

void frmNotes::ApplyNote(const NoteRecord& note) {
    txtNote->SetNoteText(note.Text);
    txtNote->SetTextColour(note.FontColour);
    SetNoteFont(note.FontName, note.FontSize, note.FontBold != 0, note.FontItalic != 0, note.FontStrikethru != 0,
                note.FontUnderline != 0);
    txtNote->SetTextAlign(note.TextAlign);
    SetBackColour(note.BackColour);
    SetBorderStyle(note.BorderStyle);
    SetImageAlign(note.ImageAlign);
    SetPicture(note.ImagePath);
}

void frmNotes::SetNoteFont(const QString& name, int16_t size, bool bold, bool italic, bool strikethru, bool underline) {
    // From the desktop's font each time, so nothing of the previous note's font is left over.
    QFont font = QApplication::font();
    if (!name.trimmed().isEmpty()) font.setFamily(name);
    if (size > 0) font.setPointSize(size);
    font.setBold(bold);
    font.setItalic(italic);
    font.setStrikeOut(strikethru);
    font.setUnderline(underline);
    txtNote->setFont(font);
}

void frmNotes::SetBackColour(uint32_t colour) {
    imgBack->SetBackColour(colour);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, NoteColours::ResolveColour(colour));
    setPalette(pal);
}

void frmNotes::SetBorderStyle(int32_t borderStyle) {
    txtNote->SetEffect(NoteFrame::FromBorderStyle(borderStyle));
}

void frmNotes::SetImageAlign(int32_t imageAlign) {
    imgBack->SetPlacement(imageAlign);
}

void frmNotes::SetPicture(const QString& imagePath) {
    if (imagePath.isEmpty()) {
        imgBack->SetPicture(QImage());
        return;
    }
    const WaitCursor wait;
    imgBack->SetPicture(PictureLoader::LoadPicture(imagePath)); // null when it cannot be decoded
}

void frmNotes::HideNavButtons() {
    cmdNext->hide();
    cmdLast->hide();
}

void frmNotes::BeginEditMode() {
    for (ImageButton* button : {cmdLast, cmdNext, cmdM, cmdMR, cmdC, cmdCtl}) button->hide();
    txtNote->setReadOnly(false);
}

void frmNotes::ShowNote() {
    show();
    txtNote->setFocus();
    txtNote->CaretToStart();
}

void frmNotes::ShowTopButtons() {
    if (P.Ending()) return;
    if (lblMode == QLatin1String("Edit") || TopButtonsShown) return;
    TopButtonsShown = true;
    cmdC->ShowGlyph(NoteGlyph::Close, true, TextEffect());
    cmdM->ShowGlyph(NoteGlyph::Minimise, true, TextEffect());
    cmdMR->ShowGlyph(IsMaximised ? NoteGlyph::Restore : NoteGlyph::Maximise, true, TextEffect());
    cmdCtl->ShowGlyph(NoteGlyph::About, false, NoteFrame::Flat);
    SetTextTwips(m_textTwips.adjusted(0, ButtonsDrop, 0, 0));
    cmdC->setToolTip(QStringLiteral("Close"));
    cmdMR->setToolTip(IsMaximised ? QStringLiteral("Restore") : QStringLiteral("Maximize"));
    cmdM->setToolTip(QStringLiteral("Minimize"));
    cmdCtl->setToolTip(QStringLiteral("About. . ."));
}

void frmNotes::cmdSound_MouseMove() {
    if (P.Ending()) return;
    SoundButtonShown = true;
    if (lblPlay.isEmpty()) { // a note paged to without a sound keeps no tip from the one before
        cmdSound->setToolTip(QString());
        return;
    }
    cmdSound->ShowGlyph(NoteGlyph::PlaySound, true, TextEffect());
    cmdSound->setToolTip(QStringLiteral("Play Sound"));
}

void frmNotes::txtNote_MouseMove() {
    if (P.Ending()) return;
    if (TopButtonsShown) {
        TopButtonsShown = false;
        for (ImageButton* button : {cmdC, cmdM, cmdMR, cmdCtl}) button->ClearGlyph();
        SetTextTwips(m_textTwips.adjusted(0, -ButtonsDrop, 0, 0));
    }
    if (SoundButtonShown) {
        SoundButtonShown = false;
        cmdSound->ClearGlyph();
    }
    if (NavButtonsShown) {
        NavButtonsShown = false;
        cmdNext->ClearGlyph();
        cmdLast->ClearGlyph();
    }
}

void frmNotes::cmdC_Click() {
    if (P.Ending()) return;
    if (P.Settings.PromptCloseNote == 1 &&
        !P.S.Questions.AskYesNo(QStringLiteral("Are you sure you want to close this Note?"),
                                QStringLiteral("Click 'YES' if you want to close this Note.")))
        return;
    // Marked before the unload's shutdown check, so closing the last note ends the program at once.
    if (lblMode != QLatin1String("Edit")) SetOpen(OwnIndex(), false);
    close();
}

void frmNotes::cmdCtl_Click() {
    if (!P.Ending()) frmAbout::ShowModal(P);
}

void frmNotes::cmdM_Click() {
    if (P.Ending()) return;
    setWindowTitle(QStringLiteral("PVL 3: ") + NoteTextValue().trimmed()); // names the note on the task bar
    showMinimized();
}

void frmNotes::cmdMR_Click() {
    if (P.Ending()) return;
    if (IsMaximised) {
        showNormal();
        IsMaximised = false;
        imgBack->setCursor(Qt::SizeAllCursor);
    } else {
        showMaximized();
        IsMaximised = true;
        imgBack->setCursor(Qt::ArrowCursor);
    }
    ArrangeControls();
}

void frmNotes::imgBack_MouseDown(Qt::MouseButton button, QPointF, QPointF localPos) {
    if (P.Ending() || button != Qt::LeftButton) return;
    DragStartX = static_cast<int32_t>(std::lround(localPos.x() * P.S.Screen.TwipsPerPixelX()));
    DragStartY = static_cast<int32_t>(std::lround(localPos.y() * P.S.Screen.TwipsPerPixelY()));
}

void frmNotes::imgBack_MouseMove(Qt::MouseButtons buttons, QPointF globalPos) {
    if (P.Ending() || !(buttons & Qt::LeftButton) || IsMaximised) return;
    // Left + (x - DragStartX) with x relative to the window is the mouse's screen position less the
    // press offset; taken from the screen position, a move still on its way cannot make the window jump.
    const int32_t left = static_cast<int32_t>(std::lround(globalPos.x() * P.S.Screen.TwipsPerPixelX())) - DragStartX;
    const int32_t top = static_cast<int32_t>(std::lround(globalPos.y() * P.S.Screen.TwipsPerPixelY())) - DragStartY;
    move(ToPixelsX(left), ToPixelsY(top));
}
