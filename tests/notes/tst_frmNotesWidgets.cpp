// The note window's drawn parts: text line breaks, frames, glyphs, background placement and colours.
#include "notes/NoteBack.h"
#include "notes/NoteColours.h"
#include "notes/NoteFrame.h"
#include "notes/NoteGlyphs.h"
#include "notes/NoteText.h"
#include <QPainter>
#include <QtTest>

Q_DECLARE_METATYPE(NoteGlyph)

namespace {

QImage Frame(NoteFrame::Effect effect) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    NoteFrame::DrawEffect(p, image.rect(), effect, QPalette(QColor(0xC0, 0xC0, 0xC0)));
    return image;
}

int InkedPixels(const QImage& image) {
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) inked += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return inked;
}

} // namespace

class tst_frmNotesWidgets : public QObject {
    Q_OBJECT

private slots:
    void textKeepsItsLineBreaksByteForByte_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("lines");
        QTest::newRow("empty") << QString() << 1;
        QTest::newRow("one line") << QStringLiteral("abc") << 1;
        QTest::newRow("CR LF") << QStringLiteral("a\r\nb") << 2;
        QTest::newRow("trailing break") << QStringLiteral("a\r\n") << 2;
        QTest::newRow("blank lines") << QStringLiteral("\r\n\r\nx\r\n\r\n") << 5;
        QTest::newRow("lone LF") << QStringLiteral("a\nb") << 1;
        QTest::newRow("tab and no-break space") << QStringLiteral("\ta\u00A0b  ") << 1;
        QTest::newRow("Windows-1252 letters") << QStringLiteral("caf\u00E9 \u20AC5 \u201Cq\u201D") << 1;
    }
    void textKeepsItsLineBreaksByteForByte() {
        QFETCH(QString, stored);
        QFETCH(int, lines);
        NoteText box(nullptr);
        box.SetNoteText(stored);
        QCOMPARE(box.NoteTextValue(), stored);
        QCOMPARE(box.document()->blockCount(), lines); // each CR LF is a paragraph of its own
        QVERIFY(!box.document()->toPlainText().contains(u'\r'));
    }

    void settingTheTextIsOneChange() {
        NoteText box(nullptr);
        QSignalSpy changes(&box, &QTextEdit::textChanged);
        box.SetNoteText(QStringLiteral("a\r\nb\r\nc"));
        QCOMPARE(changes.size(), 1);
        QVERIFY(!box.document()->isUndoAvailable());
    }

    void fiveEffectsLookDifferent() {
        QList<QImage> images;
        for (auto effect : {NoteFrame::Flat, NoteFrame::Raised, NoteFrame::Sunken, NoteFrame::Etched, NoteFrame::Bump})
            images << Frame(effect);
        for (int a = 0; a < images.size(); ++a)
            for (int b = a + 1; b < images.size(); ++b)
                QVERIFY2(images[a] != images[b], qPrintable(QString("%1 %2").arg(a).arg(b)));
        // Raised is light at the top left and dark at the bottom right; sunken the other way round.
        const QImage raised = images[1];
        QVERIFY(qGray(raised.pixel(0, 0)) > qGray(raised.pixel(19, 19)));
        const QImage sunken = images[2];
        QVERIFY(qGray(sunken.pixel(0, 0)) < qGray(sunken.pixel(19, 19)));
        QCOMPARE(images[0].pixel(10, 10), QColor(Qt::white).rgb()); // only the edge is drawn
    }

    void borderStyleBecomesAnEffect_data() {
        QTest::addColumn<int>("borderStyle");
        QTest::addColumn<int>("effect");
        QTest::newRow("flat") << 0 << int(NoteFrame::Flat);
        QTest::newRow("raised") << 1 << int(NoteFrame::Raised);
        QTest::newRow("sunken") << 2 << int(NoteFrame::Sunken);
        QTest::newRow("etched") << 3 << int(NoteFrame::Etched);
        QTest::newRow("bump") << 4 << int(NoteFrame::Bump);
        QTest::newRow("editor's bump value") << 6 << int(NoteFrame::Bump);
        QTest::newRow("damaged negative") << -5 << int(NoteFrame::Flat);
    }
    void borderStyleBecomesAnEffect() {
        QFETCH(int, borderStyle);
        QFETCH(int, effect);
        QCOMPARE(int(NoteFrame::FromBorderStyle(borderStyle)), effect);
    }

    void glyphsAreDrawnSharpAndDistinct_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("96 dpi") << qreal(1.0);
        QTest::newRow("high density") << qreal(2.0);
    }
    void glyphsAreDrawnSharpAndDistinct() {
        QFETCH(qreal, ratio);
        const QSize size(13, 13); // 192 twips
        QList<QImage> images;
        for (NoteGlyph glyph : {NoteGlyph::About, NoteGlyph::Minimise, NoteGlyph::Maximise, NoteGlyph::Restore,
                                NoteGlyph::Close, NoteGlyph::PlaySound, NoteGlyph::Previous, NoteGlyph::Next}) {
            const QPixmap pixmap = NoteGlyphs::GlyphPixmap(glyph, size, ratio, QPalette());
            QCOMPARE(pixmap.size(), size * ratio); // one drawn pixel per device pixel
            QCOMPARE(pixmap.deviceIndependentSize().toSize(), size);
            const QImage image = pixmap.toImage();
            const int inked = InkedPixels(image);
            QVERIFY(inked > 0);
            QVERIFY(inked < image.width() * image.height()); // a shape, not a filled square
            images << image;
        }
        for (int a = 0; a < images.size(); ++a)
            for (int b = a + 1; b < images.size(); ++b) QVERIFY(images[a] != images[b]);
    }

    void backgroundPicturePlacement_data() {
        QTest::addColumn<int>("imageAlign");
        QTest::addColumn<QColor>("corner");
        QTest::addColumn<QColor>("centre");
        // A 20 x 20 background with a 6 x 6 picture: red with a blue top-left pixel; back colour green.
        QTest::newRow("tiled") << 0 << QColor(Qt::red) << QColor(Qt::blue);
        QTest::newRow("centre") << 1 << QColor(Qt::green) << QColor(Qt::blue);
        QTest::newRow("stretched") << 2 << QColor(Qt::blue) << QColor(Qt::red);
        QTest::newRow("unknown value tiles") << 7 << QColor(Qt::red) << QColor(Qt::blue);
    }
    void backgroundPicturePlacement() {
        QFETCH(int, imageAlign);
        QFETCH(QColor, corner);
        QFETCH(QColor, centre);
        QImage picture(6, 6, QImage::Format_RGB32);
        picture.fill(Qt::red);
        picture.setPixel(0, 0, QColor(Qt::blue).rgb());
        NoteBack back(nullptr);
        back.resize(20, 20);
        back.SetBackColour(0x0000FF00); // green
        back.SetPlacement(imageAlign);
        back.SetPicture(picture);
        const QImage shown = back.grab().toImage();
        // The outermost pixels carry the border line; look just inside it.
        QCOMPARE(shown.pixelColor(2, 2), corner);
        QCOMPARE(shown.pixelColor(7, 7), centre); // (20 - 6) / 2 = 7: where the centred tile starts
        QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::black));
        back.SetPicture(QImage());
        QCOMPARE(back.grab().toImage().pixelColor(7, 7), QColor(Qt::green));
    }

    void coloursResolve_data() {
        QTest::addColumn<uint>("colour");
        QTest::addColumn<QColor>("expected");
        QPalette palette;
        QTest::newRow("red byte lowest") << 0x000000FFu << QColor(255, 0, 0);
        QTest::newRow("blue byte highest") << 0x00FF0000u << QColor(0, 0, 255);
        QTest::newRow("button text") << 0x80000012u << palette.color(QPalette::ButtonText);
        QTest::newRow("unknown system colour") << 0x800000FFu << palette.color(QPalette::Window);
    }
    void coloursResolve() {
        QFETCH(uint, colour);
        QFETCH(QColor, expected);
        QCOMPARE(NoteColours::ResolveColour(colour, QPalette()), expected);
    }
};

QTEST_MAIN(tst_frmNotesWidgets)
#include "tst_frmNotesWidgets.moc"
