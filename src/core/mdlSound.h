#pragma once
#include <QString>

// Plays wave files in the background. A new sound cuts off one still playing; a path that is not a
// playable wave file plays nothing.
class ISoundPlayer {
public:
    virtual ~ISoundPlayer() = default;
    virtual void Play(const QString& path) = 0;
};

namespace mdlSound {
// Starts the sound and returns at once. The path is not checked first.
inline void PlayWave(ISoundPlayer& player, const QString& path) {
    player.Play(path);
}
} // namespace mdlSound
