// The real sound player: nothing is loaded until a sound can play, and then the module is found and plays.
#include "platform/QtServices.h"
#include <QtTest>

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
};

QTEST_MAIN(tst_SoundModule)
#include "tst_SoundModule.moc"
