// Months, file-type checks, fixed-width text, number checks and the code-page strings.
#include "TestFiles.h"
#include "core/ProgramFolder.h"
#include "core/TypeCheck.h"
#include "core/mdlBin.h"
#include "core/mdlMonths.h"
#include <QTemporaryDir>

using namespace TypeCheck;

class tst_Helpers : public QObject {
    Q_OBJECT

private slots:
    void months_data() {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("days");
        QTest::newRow("1") << 1 << 2026 << "January" << 31;
        QTest::newRow("12") << 12 << 2026 << "December" << 31;
        QTest::newRow("0") << 0 << 2026 << "InvalidMonth" << 0;
        QTest::newRow("13") << 13 << 2026 << "InvalidMonth" << 0;
        QTest::newRow("feb 2000") << 2 << 2000 << "February" << 29;
        QTest::newRow("feb 1900") << 2 << 1900 << "February" << 29;
        QTest::newRow("feb 1999") << 2 << 1999 << "February" << 28;
        QTest::newRow("apr") << 4 << 2026 << "April" << 30;
        QTest::newRow("jul") << 7 << 2026 << "July" << 31;
    }
    void months() {
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(QString, name);
        QFETCH(int, days);
        QCOMPARE(mdlMonths::GetMonthName(static_cast<int16_t>(month)), name);
        QCOMPARE(mdlMonths::DaysInMonth(static_cast<int16_t>(month), static_cast<int16_t>(year)), days);
    }

    void fileTypes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("create");
        QTest::addColumn<bool>("picture");
        QTest::addColumn<bool>("wave");
        QTest::newRow("gif") << "a.gif" << true << true << false;
        QTest::newRow("upper-case JPG") << "a.JPG" << true << false << false;
        QTest::newRow("cur") << "a.cur" << true << true << false;
        QTest::newRow("png not accepted") << "a.png" << true << false << false;
        QTest::newRow("wav") << "a.wav" << true << false << true;
        QTest::newRow("missing wav") << "b.wav" << false << false << false;
    }
    void fileTypes() {
        QFETCH(QString, name);
        QFETCH(bool, create);
        QFETCH(bool, picture);
        QFETCH(bool, wave);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (create) WriteBytes(path, "x");
        QCOMPARE(IsPictureFile(path), picture);
        QCOMPARE(IsWaveFile(path), wave);
    }

    void padToLength_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("fill");
        QTest::addColumn<QString>("result");
        const auto row = [](const char* name, const QString& text, int width, const char* fill, const QString& result) {
            QTest::newRow(name) << text << width << QString(fill) << result;
        };
        row("pad, empty fill", "abc", 6, "", "abc   ");
        row("cut", "abcdefgh", 6, " ", "abcdef");
        row("exact", "abcdef", 6, "x", "abcdef");
        row("fill text", "a", 4, "-", "a---");
        row("zero width", "abc", 0, " ", "");
        row("emoji is one character", QString::fromUtf8("a😀"), 4, "", QString::fromUtf8("a😀  "));
        row("cut keeps the emoji whole", QString::fromUtf8("😀😀😀"), 2, "", QString::fromUtf8("😀😀"));
    }
    void padToLength() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, fill);
        QFETCH(QString, result);
        QCOMPARE(PadToLength(text, static_cast<int16_t>(width), fill), result);
    }

    void wholeNumbers_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("whole");
        QTest::newRow("12") << "12" << true;
        QTest::newRow("-3") << "-3" << true;
        QTest::newRow("12.0") << "12.0" << true;
        QTest::newRow("exponent") << "1e2" << true;
        QTest::newRow("blanks") << " 7 " << true;
        QTest::newRow("12.5") << "12.5" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("comma decimal") << "12,5" << false;
        QTest::newRow("thousands separator") << "1,000" << false;
        QTest::newRow("trailing junk") << "12a" << false;
    }
    void wholeNumbers() {
        QFETCH(QString, value);
        QFETCH(bool, whole);
        QCOMPARE(IsWholeNumber(value), whole);
    }

    void trimOnlyBlanks() { QCOMPARE(TrimBlanks(" \ta b\t "), QStringLiteral("\ta b\t")); }

    void codePage_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << "abc" << QByteArray("abc");
        QTest::newRow("latin-1") << QString::fromUtf8("é ÿ") << QByteArray::fromHex("E920FF");
        QTest::newRow("euro and quotes") << QString::fromUtf8("€“”") << QByteArray::fromHex("809394");
        QTest::newRow("undefined codes stay controls")
            << QString(QChar(0x81)) + QChar(0x9D) << QByteArray::fromHex("819D");
        QTest::newRow("line break") << "a\r\nb" << QByteArray("a\r\nb");
    }
    void codePage() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(mdlBin::ToAnsi(text), bytes);
        QCOMPARE(mdlBin::FromAnsi(bytes), text);
    }

    // A copy is portable only when it carries its files; a bare (writable) folder is not.
    void programFolder_data() {
        QTest::addColumn<QString>("carries");
        QTest::addColumn<bool>("portable");
        QTest::newRow("bare writable folder") << "" << false;
        QTest::newRow("settings file") << "PVL3.dat" << true;
        QTest::newRow("Notes folder") << "Notes/" << true;
        QTest::newRow("Notes as a file") << "Notes" << false;
        QTest::newRow("settings as a folder") << "PVL3.dat/" << false;
        QTest::newRow("lower-case notes") << "notes/" << false;
    }
    void programFolder() {
        QFETCH(QString, carries);
        QFETCH(bool, portable);
        QTemporaryDir exe, data;
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        if (carries.endsWith(u'/'))
            QVERIFY(QDir(exe.path()).mkdir(carries.chopped(1)));
        else if (!carries.isEmpty())
            WriteBytes(exe.filePath(carries), "x");
        const QString folder = mdlCommonFunc::ResolveProgramFolder(exe.path());
        QVERIFY(folder.endsWith(u'/'));
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(folder == exe.path() + u'/', portable);
        QCOMPARE(folder.startsWith(data.path() + u'/'), !portable);
    }

    void unmappableCharactersBecomeQuestionMarks() {
        QCOMPARE(mdlBin::ToAnsi(QString::fromUtf8("a€λ😀b")), QByteArray("a\x80??b"));
        // Every byte reads back and writes out unchanged, the five unused codes included, as the code page
        // and as a string's form.
        QByteArray all;
        for (int i = 0; i < 256; ++i) all.append(static_cast<char>(i));
        QCOMPARE(mdlBin::ToAnsi(mdlBin::FromAnsi(all)), all);
        QCOMPARE(mdlBin::EncodeString(mdlBin::FromAnsi(all)), all);
    }

    // Strings from elsewhere that start with the mark but are no UTF-8 read as the code page; those rows
    // are only read, as no text is written so.
    void stringForms_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("written");
        const QByteArray mark = QByteArray::fromHex("EFBBBF");
        const auto utf8 = [&](const char* text) { return mark + QByteArray(text); };
        const auto row = [](const char* name, const QString& text, const QByteArray& bytes, bool written = true) {
            QTest::newRow(name) << text << bytes << written;
        };
        row("western stays code page", QString::fromUtf8("Café €5"), QByteArray::fromHex("436166E9208035"));
        row("empty", QString(), QByteArray());
        row("emoji", QString::fromUtf8("😀!"), mark + QByteArray::fromHex("F09F988021"));
        row("path", QString::fromUtf8("/home/a/Łódź/"), utf8("/home/a/Łódź/"));
        row("one foreign letter", QString::fromUtf8("aλ€"), utf8("aλ€"));
        // Written as code page these would read back as the UTF-8 form's text.
        row("code page text like the mark", QString::fromUtf8("ï»¿x"), utf8("ï»¿x"));
        row("only the mark's text", QString::fromUtf8("ï»¿"), utf8("ï»¿"));
        row("two of its three", QString::fromUtf8("ï»x"), QByteArray::fromHex("EFBB78"));
        row("text starting with a mark", QChar(0xFEFF) + QStringLiteral("x"), utf8("\xEF\xBB\xBFx"));
        const QString markText = QString::fromUtf8("ï»¿");
        row("mark, invalid byte", markText + QString::fromUtf8("Aÿ"), QByteArray::fromHex("EFBBBF41FF"), false);
        row("mark, last character cut", markText + QString::fromUtf8("Aâ‚"), QByteArray::fromHex("EFBBBF41E282"),
            false);
        row("mark, encoded surrogate", markText + QString::fromUtf8("í\u00A0€"), QByteArray::fromHex("EFBBBFEDA080"),
            false);
        row("mark, overlong", markText + QString::fromUtf8("À¯"), QByteArray::fromHex("EFBBBFC0AF"), false);
    }
    void stringForms() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, written);
        if (written) QCOMPARE(mdlBin::EncodeString(text), bytes);
        QCOMPARE(mdlBin::DecodeString(bytes), text);
    }
};

QTEST_GUILESS_MAIN(tst_Helpers)
#include "tst_Helpers.moc"
