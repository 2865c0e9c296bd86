// The real sound player: nothing is loaded until a sound can play, and then the module is found and plays.
#include "platform/Modules.h"
#include "platform/QtServices.h"
#include <QApplication>
#include <QtTest>
#include <cstdio>
#include <unistd.h>

class tst_SoundModule : public QObject {
    Q_OBJECT

private slots:
    void loadedWithTheFirstPlayableSound() {
        QtSoundPlayer player;
        player.Play(QString());
        player.Play(QStringLiteral(PVL3_TEST_DATA "/missing.wav"));
        QVERIFY(!player.Loaded());
        player.Play(QStringLiteral(PVL3_TEST_DATA "/beep16.wav"));
        QVERIFY(player.Loaded());
        player.Play(QString()); // cuts the sound off through the module
        QVERIFY(player.Loaded());
    }

    // Found from a test in the build (the line above); an installed program never looks into the build.
    void installedProgramsKeepOutOfTheBuild() {
        const QString build = QFileInfo(QCoreApplication::applicationDirPath()).path(); // tests/ is inside it
        QVERIFY(Modules::Folders(QCoreApplication::applicationDirPath()).contains(build));
        QVERIFY(!Modules::Folders(QStringLiteral("/usr/bin")).contains(build));
        QVERIFY(!Modules::Folders(build + QStringLiteral("-other")).contains(build));
    }
};

// The program ends without running the libraries' exit-time clean-up (QtProcessEnd::EndNow), and so does
// this test: Qt's sample cache, torn down at exit while a sound is still loading, waits for its loading
// thread while holding the lock that thread needs, and the test would hang now and then.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tst_SoundModule test;
    const int failed = QTest::qExec(&test, argc, argv);
    std::fflush(nullptr);
    ::_exit(failed);
}
#include "tst_SoundModule.moc"
