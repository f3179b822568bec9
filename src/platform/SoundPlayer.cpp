// The media player behind Sound, built as a module of its own (sorrisa_sound) beside the
// executable: QtMultimedia and everything it brings (the sound server's client, codecs,
// network) are loaded at the first sound instead of at every start of the program.
#include <QAudioOutput>
#include <QCoreApplication>
#include <QMediaPlayer>
#include <QUrl>

namespace {
QMediaPlayer *player()
{
    static QMediaPlayer *p = [] {
        auto *mp = new QMediaPlayer(QCoreApplication::instance());
        auto *out = new QAudioOutput(mp);
        mp->setAudioOutput(out);
        return mp;
    }();
    return p;
}
} // namespace

extern "C" Q_DECL_EXPORT void sorrisa_sound_play(const QString &path)
{
    QMediaPlayer *p = player();
    p->stop();
    p->setSource(QUrl::fromLocalFile(path));
    p->play();
}

extern "C" Q_DECL_EXPORT void sorrisa_sound_stop() { player()->stop(); }

extern "C" Q_DECL_EXPORT bool sorrisa_sound_is_playing()
{
    return player()->playbackState() == QMediaPlayer::PlayingState;
}
