// Background pictures: every accepted format decodes by content, at a sensible size, with the right colours;
// damaged, missing and oversized files give a null picture without bringing the program down.
#include "notes/PictureLoader.h"
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using PictureLoader::LoadPicture;
using PictureLoader::MaxPictureSide;

struct Probe {
    QPoint At;
    QColor Colour;
};
using Probes = QList<Probe>;
Q_DECLARE_METATYPE(Probes)

namespace {

QString Sample(const QString& name) {
    return QStringLiteral(PVL3_TEST_DATA "/pictures/") + name;
}

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    return path;
}

template <typename T> void Poke(QByteArray& data, qsizetype at, T value) {
    qToLittleEndian<T>(value, data.data() + at);
}

bool Near(QColor actual, QColor expected) {
    constexpr int tolerance = 48; // JPEG and anti-aliasing shift colours a little
    return actual.alpha() > 200 && std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

// Deterministic noise that no decoder recognises.
QByteArray Garbage(int size) {
    QByteArray bytes(size, '\0');
    quint32 state = 12345;
    for (auto& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<char>(state >> 24);
    }
    return bytes;
}

} // namespace

class tst_PictureLoader : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void loadsEveryFormat_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<Probes>("probes");
        const QColor red(255, 0, 0), blue(0, 0, 255), yellow(255, 255, 128), green(0, 128, 0);
        // The raster samples are red on top and blue at the bottom.
        const Probes bands{{{0, 0}, red}, {{63, 47}, blue}};
        const Probes iconBands{{{0, 0}, red}, {{31, 31}, blue}};
        QTest::newRow("bmp") << "test.bmp" << QSize(64, 48) << bands;
        QTest::newRow("dib") << "test.dib" << QSize(64, 48) << bands;
        QTest::newRow("gif") << "test.gif" << QSize(64, 48) << bands;
        QTest::newRow("jpg") << "test.jpg" << QSize(64, 48) << bands;
        QTest::newRow("ico") << "test.ico" << QSize(32, 32) << iconBands;
        QTest::newRow("cur") << "test.cur" << QSize(32, 32) << iconBands;
        // The shapes: a pale yellow page, a red square at the top left, a blue ellipse on the right and a
        // green line along the bottom, drawn 2.08 x 1.25 inches, which is 200 x 120 pixels at 96 dpi.
        const Probes shapes{{{3, 3}, yellow}, {{50, 40}, red}, {{140, 60}, blue}, {{100, 95}, green}};
        QTest::newRow("wmf") << "shapes.wmf" << QSize(200, 120) << shapes;
        QTest::newRow("emf") << "shapes.emf" << QSize(200, 121) << shapes;
    }
    void loadsEveryFormat() {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(Probes, probes);
        const QImage image = LoadPicture(Sample(file));
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), size);
        for (const Probe& probe : probes) {
            const QColor actual = image.pixelColor(probe.At);
            QVERIFY2(Near(actual, probe.Colour), qPrintable(QStringLiteral("at %1,%2: %3 instead of %4")
                                                                .arg(probe.At.x())
                                                                .arg(probe.At.y())
                                                                .arg(actual.name(QColor::HexArgb))
                                                                .arg(probe.Colour.name())));
        }
    }

    // The name may lie; the bytes decide.
    void contentDecidesNotTheName_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QByteArray png;
        {
            QImage picture(24, 10, QImage::Format_RGB32);
            picture.fill(Qt::darkCyan);
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            QVERIFY(picture.save(&buffer, "PNG"));
        }
        QTest::newRow("png named .bmp") << png << "png.bmp" << QSize(24, 10);
        QTest::newRow("bmp named .jpg") << Bytes(Sample("test.bmp")) << "bmp.jpg" << QSize(64, 48);
        QTest::newRow("gif named .cur") << Bytes(Sample("test.gif")) << "gif.cur" << QSize(64, 48);
        QTest::newRow("cursor named .ico") << Bytes(Sample("test.cur")) << "cur.ico" << QSize(32, 32);
        QTest::newRow("wmf named .emf") << Bytes(Sample("shapes.wmf")) << "wmf.emf" << QSize(200, 120);
        QTest::newRow("emf named .wmf") << Bytes(Sample("shapes.emf")) << "emf.wmf" << QSize(200, 121);
        QTest::newRow("emf without extension") << Bytes(Sample("shapes.emf")) << "emf" << QSize(200, 121);
    }
    void contentDecidesNotTheName() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QVERIFY(!bytes.isEmpty());
        QCOMPARE(LoadPicture(Write(m_dir, name, bytes)).size(), size);
    }

    // A metafile without the placeable header (a bare standard header) still draws, at a sane size.
    void bareWmfHeader() {
        const QByteArray placeable = Bytes(Sample("shapes.wmf"));
        QCOMPARE(quint8(placeable[0]), quint8(0xD7));
        const QImage image = LoadPicture(Write(m_dir, "bare.wmf", placeable.mid(22)));
        QVERIFY(!image.isNull());
        QVERIFY(image.width() > 1 && image.width() <= MaxPictureSide);
        QVERIFY(image.height() > 1 && image.height() <= MaxPictureSide);
    }

    void failuresGiveNull_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("empty path") << QString();
        QTest::newRow("missing") << m_dir.filePath("nothing-here.bmp");
        QTest::newRow("folder") << m_dir.path();
        QTest::newRow("zero bytes") << Write(m_dir, "empty.jpg", {});
        QTest::newRow("garbage") << Write(m_dir, "garbage.gif", Garbage(4096));
        QTest::newRow("text") << Write(m_dir, "text.bmp", "Just a note, not a picture.\r\n");
        for (const char* file : {"test.bmp", "test.gif", "test.jpg", "test.ico", "test.cur"}) {
            const QByteArray head = Bytes(Sample(file)).left(20);
            QTest::newRow(qPrintable(QStringLiteral("header cut: %1").arg(file)))
                << Write(m_dir, QStringLiteral("head-") + file, head);
        }
        // Half a BMP would show rows of uninitialised memory; half a metafile has no end record.
        for (const char* file : {"test.bmp", "test.dib", "shapes.wmf", "shapes.emf"}) {
            const QByteArray all = Bytes(Sample(file));
            QTest::newRow(qPrintable(QStringLiteral("half: %1").arg(file)))
                << Write(m_dir, QStringLiteral("half-") + file, all.left(all.size() / 2));
        }
        QByteArray wmfMagic = QByteArray::fromHex("d7cdc69a") + Garbage(200);
        QTest::newRow("wmf magic, garbage after") << Write(m_dir, "magic.wmf", wmfMagic);
        QByteArray emfMagic = Garbage(200);
        Poke<quint32>(emfMagic, 0, 1);
        emfMagic.replace(40, 4, " EMF");
        QTest::newRow("emf magic, garbage after") << Write(m_dir, "magic.emf", emfMagic);
        QByteArray emfLoop = Bytes(Sample("shapes.emf"));
        Poke<quint32>(emfLoop, 4, 0); // a header record of length zero would never advance
        QTest::newRow("emf record of length zero") << Write(m_dir, "loop.emf", emfLoop);
        QByteArray emfLong = Bytes(Sample("shapes.emf"));
        Poke<quint32>(emfLong, 4, 0x7FFFFFF0); // a header record that runs past the end
        QTest::newRow("emf record past the end") << Write(m_dir, "long.emf", emfLong);
    }
    void failuresGiveNull() {
        QFETCH(QString, path);
        QVERIFY(LoadPicture(path).isNull());
    }

    // Sizes written in a header are refused before any pixel is allocated.
    void hugeDeclaredSizesAreRefused_data() {
        QTest::addColumn<QString>("path");
        QByteArray bmp = Bytes(Sample("test.bmp"));
        Poke<qint32>(bmp, 18, 100000); // width
        QTest::newRow("bmp 100000 wide") << Write(m_dir, "wide.bmp", bmp);
        QByteArray tall = Bytes(Sample("test.bmp"));
        Poke<qint32>(tall, 22, -30000); // top-down rows
        QTest::newRow("bmp 30000 tall, top-down") << Write(m_dir, "tall.bmp", tall);
        QByteArray gif = Bytes(Sample("test.gif"));
        Poke<quint16>(gif, 6, 65535); // logical screen
        Poke<quint16>(gif, 8, 65535);
        QTest::newRow("gif 65535 square") << Write(m_dir, "huge.gif", gif);
        QByteArray wmf = Bytes(Sample("shapes.wmf"));
        Poke<qint16>(wmf, 10, 32767); // right edge of the bounding box, at 1200 units per inch
        Poke<quint16>(wmf, 14, 96);   // ... now 96 units per inch: 32767 pixels
        QTest::newRow("wmf 32767 wide") << Write(m_dir, "huge.wmf", wmf);
        QByteArray emf = Bytes(Sample("shapes.emf"));
        Poke<qint32>(emf, 32, 1000000); // right edge of the frame: 10 m
        QTest::newRow("emf 10 m wide") << Write(m_dir, "huge.emf", emf);
    }
    void hugeDeclaredSizesAreRefused() {
        QFETCH(QString, path);
        QVERIFY(LoadPicture(path).isNull());
    }

    void sizeLimit_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("loads");
        QTest::newRow("widest allowed") << QSize(MaxPictureSide, 1) << true;
        QTest::newRow("one wider") << QSize(MaxPictureSide + 1, 1) << false;
        QTest::newRow("tallest allowed") << QSize(2, MaxPictureSide) << true;
        QTest::newRow("one taller") << QSize(2, MaxPictureSide + 1) << false;
    }
    void sizeLimit() {
        QFETCH(QSize, size);
        QFETCH(bool, loads);
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::white);
        const QString path = m_dir.filePath(QStringLiteral("limit-%1x%2.bmp").arg(size.width()).arg(size.height()));
        QVERIFY(picture.save(path, "BMP"));
        const QImage image = LoadPicture(path);
        QCOMPARE(image.isNull(), !loads);
        if (loads) QCOMPARE(image.size(), size);
    }

    // Damaged metafiles: every byte of the header and the first records overwritten in turn. Whatever the
    // libraries make of them, the result is null or a picture within the limits, and the process survives.
    void damagedMetafilesStayBounded_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("wmf") << "shapes.wmf";
        QTest::newRow("emf") << "shapes.emf";
    }
    void damagedMetafilesStayBounded() {
        QFETCH(QString, file);
        const QByteArray original = Bytes(Sample(file));
        for (qsizetype at = 0; at < qMin<qsizetype>(original.size(), 256); ++at) {
            for (const char value : {'\x00', '\xff', '\x7f'}) {
                QByteArray damaged = original;
                damaged[at] = value;
                const QImage image = LoadPicture(Write(m_dir, "damaged-" + file, damaged));
                QVERIFY2(image.isNull() || (image.width() <= MaxPictureSide && image.height() <= MaxPictureSide),
                         qPrintable(QStringLiteral("byte %1 = %2").arg(at).arg(int(value))));
            }
        }
    }

    void init() { QVERIFY(m_dir.isValid()); }
};

QTEST_MAIN(tst_PictureLoader)
#include "tst_PictureLoader.moc"
