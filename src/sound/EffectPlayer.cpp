// The sound player proper, in a module of its own: the sound system and the libraries under it (the audio
// server's client, the codecs, the network stack Qt's multimedia brings) are loaded with the first sound
// rather than at every start.
#include "core/mdlSound.h"
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace {

class EffectPlayer : public ISoundPlayer {
public:
    void Play(const QString& path) override {
        m_effect.stop(); // a new sound cuts off the last, even when the new one cannot play
        if (path.isEmpty() || !QFileInfo(path).isFile()) return;
        m_effect.setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
        m_effect.play();
    }

private:
    QSoundEffect m_effect;
};

} // namespace

extern "C" Q_DECL_EXPORT ISoundPlayer* pvl3_new_sound_player() {
    return new EffectPlayer;
}
