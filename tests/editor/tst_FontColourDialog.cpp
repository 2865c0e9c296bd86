// The font chooser with its colour: what it is handed comes back unchanged when the user just says OK.
#include "platform/FontColourDialog.h"
#include <QFontDatabase>
#include <QtTest>
#include <algorithm>

class tst_FontColourDialog : public QObject {
    Q_OBJECT

private slots:
    void untouchedFontComesBack_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::newRow("plain serif, whose regular style is named Book") << "DejaVu Serif" << false << false;
        QTest::newRow("italic serif, beside Condensed Italic") << "DejaVu Serif" << false << true;
        QTest::newRow("bold sans") << "DejaVu Sans" << true << false;
    }
    void untouchedFontComesBack() {
        QFETCH(QString, family);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        const QStringList styles = QFontDatabase::styles(family);
        if (std::none_of(styles.begin(), styles.end(), [&](const QString& style) {
                return QFontDatabase::bold(family, style) == bold && QFontDatabase::italic(family, style) == italic;
            }))
            QSKIP("this machine lacks the font");
        QFont font(family);
        font.setPointSize(12);
        font.setBold(bold);
        font.setItalic(italic);
        FontColourDialog dialog(font, 0x80000012u);
        dialog.show();
        const QFont back = dialog.SelectedFont();
        QCOMPARE(back.family(), family);
        QCOMPARE(back.pointSize(), 12);
        QCOMPARE(back.bold(), bold);
        QCOMPARE(back.italic(), italic);
        QCOMPARE(back.stretch() == QFont::Unstretched || back.stretch() == 0, true);
        QCOMPARE(dialog.SelectedColour(), 0x80000012u); // a system colour stays a reference
    }

    void missingFamilyKeepsItsName() {
        QFont font(QStringLiteral("MS Sans Serif"));
        font.setPointSizeF(8.25);
        FontColourDialog dialog(font, 0x80000012u);
        QCOMPARE(dialog.SelectedFont().family(), QStringLiteral("MS Sans Serif"));
    }
};

QTEST_MAIN(tst_FontColourDialog)
#include "tst_FontColourDialog.moc"
