// Background pictures decode by content at a sensible size; damaged, missing and oversized files give a
// null picture without bringing the program down.
#include "notes/PictureLoader.h"
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <sys/stat.h>

using PictureLoader::LoadPicture;
using PictureLoader::MaxPictureSide;

namespace {

QString Sample(const QString& name) {
    return QStringLiteral(PVL3_TEST_DATA "/pictures/") + name;
}

QByteArray Bytes(const QString& name) {
    QFile f(Sample(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

template <typename T> QByteArray Poked(const QString& name, qsizetype at, T value) {
    QByteArray data = Bytes(name);
    qToLittleEndian<T>(value, data.data() + at);
    return data;
}

QByteArray Bmp(QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    return bytes;
}

} // namespace

class tst_PictureLoader : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString Write(const QString& name, const QByteArray& bytes) {
        QFile f(m_dir.filePath(name));
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
        return f.fileName();
    }

private slots:
    // Every format, then files whose name lies about the content; top-left pixel red where it is known.
    void loads_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("redCorner");
        for (const char* file : {"test.bmp", "test.dib", "test.gif", "test.jpg"})
            QTest::newRow(file) << Sample(file) << QSize(64, 48) << true;
        QTest::newRow("ico") << Sample("test.ico") << QSize(32, 32) << true;
        QTest::newRow("cur") << Sample("test.cur") << QSize(32, 32) << true;
        // 2.08 x 1.25 inches at 96 dpi.
        QTest::newRow("wmf") << Sample("shapes.wmf") << QSize(200, 120) << false;
        QTest::newRow("emf") << Sample("shapes.emf") << QSize(200, 121) << false;
        QTest::newRow("gif named .bmp") << Write("gif.bmp", Bytes("test.gif")) << QSize(64, 48) << true;
        QTest::newRow("wmf named .emf") << Write("wmf.emf", Bytes("shapes.wmf")) << QSize(200, 120) << false;
        QTest::newRow("emf named .wmf") << Write("emf.wmf", Bytes("shapes.emf")) << QSize(200, 121) << false;
        const QSize widest(MaxPictureSide, 1);
        QTest::newRow("widest allowed") << Write("widest.bmp", Bmp(widest)) << widest << false;
    }
    void loads() {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFETCH(bool, redCorner);
        const QImage image = LoadPicture(path);
        QCOMPARE(image.size(), size);
        if (redCorner) {
            const QColor c = image.pixelColor(0, 0); // JPEG shifts colours a little
            QVERIFY2(c.red() > 200 && c.green() < 50 && c.blue() < 50, qPrintable(c.name()));
        }
    }

    void failuresGiveNull_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << m_dir.filePath("nothing-here.bmp");
        QTest::newRow("zero bytes") << Write("empty.jpg", {});
        const QString fifo = m_dir.filePath("pipe.bmp"); // would never end if it were read
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
        QTest::newRow("FIFO") << fifo;
        QByteArray garbage(4096, '\0');
        for (qsizetype i = 0; i < garbage.size(); ++i) garbage[i] = char((i * 7919 + 13) >> 3);
        QTest::newRow("garbage") << Write("garbage.gif", garbage);
        QTest::newRow("header cut: gif") << Write("head.gif", Bytes("test.gif").left(20));
        // Half a BMP would show rows of uninitialised memory; half a metafile has no end record.
        for (const char* file : {"test.bmp", "shapes.wmf", "shapes.emf"}) {
            const QByteArray all = Bytes(file);
            QTest::newRow(file) << Write(QStringLiteral("half-") + file, all.left(all.size() / 2));
        }
        QTest::newRow("emf record of length zero") << Write("loop.emf", Poked<quint32>("shapes.emf", 4, 0));
        QTest::newRow("emf record past the end") << Write("long.emf", Poked<quint32>("shapes.emf", 4, 0x7FFFFFF0));
        // Sizes declared in a header are refused before any pixel is allocated.
        QTest::newRow("bmp 100000 wide") << Write("wide.bmp", Poked<qint32>("test.bmp", 18, 100000));
        QTest::newRow("bmp 30000 tall, top-down") << Write("tall.bmp", Poked<qint32>("test.bmp", 22, -30000));
        QTest::newRow("gif 65535 high") << Write("huge.gif", Poked<quint16>("test.gif", 8, 65535));
        // 32767 units at 96 units per inch.
        QByteArray wmf = Poked<qint16>("shapes.wmf", 10, 32767);
        qToLittleEndian<quint16>(96, wmf.data() + 14);
        QTest::newRow("wmf 32767 wide") << Write("huge.wmf", wmf);
        QTest::newRow("emf 10 m wide") << Write("huge.emf", Poked<qint32>("shapes.emf", 32, 1000000));
        QTest::newRow("one wider than allowed") << Write("wider.bmp", Bmp(QSize(MaxPictureSide + 1, 1)));
    }
    void failuresGiveNull() {
        QFETCH(QString, path);
        QVERIFY(LoadPicture(path).isNull());
    }

    // Any byte of a metafile's head overwritten: null or a picture within the limits, and no crash.
    void damagedMetafilesStayBounded() {
        for (const QString file : {"shapes.wmf", "shapes.emf"}) {
            const QByteArray original = Bytes(file);
            for (qsizetype at = 0; at < 256; ++at) {
                QByteArray damaged = original;
                damaged[at] = '\xff';
                const QImage image = LoadPicture(Write("damaged-" + file, damaged));
                QVERIFY2(image.width() <= MaxPictureSide && image.height() <= MaxPictureSide,
                         qPrintable(QStringLiteral("%1 byte %2").arg(file).arg(at)));
            }
        }
    }
};

QTEST_MAIN(tst_PictureLoader)
#include "tst_PictureLoader.moc"
