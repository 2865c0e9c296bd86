// The metafile decoders live in the pvl3_pictures module: the program does not link them, raster pictures
// do not load them, the first metafile does, and a missing or broken module costs the metafiles only.
#include "notes/PictureLoader.h"
#include <QProcess>
#include <QtTest>
#include <cstring>
#include <link.h>

using PictureLoader::LoadPicture;

namespace {

QString Sample(const char* name) {
    return QStringLiteral(PVL3_TEST_DATA "/pictures/") + QLatin1String(name);
}

// Whether a library whose path holds <part> is loaded in this process.
bool Mapped(const char* part) {
    struct Search {
        const char* part;
        bool found;
    } search{part, false};
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            auto* s = static_cast<Search*>(data);
            if (info->dlpi_name && std::strstr(info->dlpi_name, s->part)) s->found = true;
            return 0;
        },
        &search);
    return search.found;
}

// Qt SVG is left out: probing a raster picture loads every image format plugin, the SVG one among them.
constexpr const char* Decoders[] = {"pvl3_pictures", "libwmf-", "libemf2svg", "libuemf"};

} // namespace

class tst_PictureModule : public QObject {
    Q_OBJECT

private slots:
    // First, while nothing in this process has shown a metafile.
    void loadedWithTheFirstMetafile() {
        for (const char* raster : {"test.bmp", "test.gif", "test.jpg", "test.ico"})
            QVERIFY2(!LoadPicture(Sample(raster)).isNull(), raster);
        for (const char* library : Decoders) QVERIFY2(!Mapped(library), library);
        QCOMPARE(LoadPicture(Sample("shapes.wmf")).size(), QSize(200, 120));
        for (const char* library : Decoders) QVERIFY2(Mapped(library), library);
    }

    void brokenModuleCostsTheMetafilesOnly_data() {
        QTest::addColumn<QString>("module");
        QTest::newRow("missing") << QStringLiteral("pvl3_no_such_module");
        QTest::newRow("without the entry point") << QStringLiteral("pvl3_sound");
    }
    void brokenModuleCostsTheMetafilesOnly() {
        QFETCH(QString, module);
        PictureLoader::UseDecoderModule(module);
        QVERIFY(LoadPicture(Sample("shapes.wmf")).isNull());
        QVERIFY(LoadPicture(Sample("shapes.emf")).isNull());
        QCOMPARE(LoadPicture(Sample("test.bmp")).size(), QSize(64, 48));
        PictureLoader::UseDecoderModule(QStringLiteral("pvl3_pictures"));
        QCOMPARE(LoadPicture(Sample("shapes.emf")).size(), QSize(200, 121));
    }

    // Nor through any library it links: every start would pay for them.
    void programDoesNotLinkTheDecoders_data() {
        QTest::addColumn<QString>("library");
        for (const char* library :
             {"libQt6Svg", "libwmf-", "libwmflite", "libemf2svg", "libuemf", "libjpeg", "libQt6Multimedia"})
            QTest::newRow(library) << QString::fromLatin1(library);
    }
    void programDoesNotLinkTheDecoders() {
        QFETCH(QString, library);
        QProcess ldd;
        ldd.start(QStringLiteral("ldd"), {QStringLiteral(PVL3_PROGRAM)});
        QVERIFY(ldd.waitForFinished(30000));
        const QString needed = QString::fromLocal8Bit(ldd.readAllStandardOutput());
        QVERIFY2(needed.contains(QLatin1String("libQt6Widgets")), qPrintable(needed)); // ldd did list them
        QVERIFY2(!needed.contains(library), qPrintable(needed));
    }
};

QTEST_MAIN(tst_PictureModule)
#include "tst_PictureModule.moc"
