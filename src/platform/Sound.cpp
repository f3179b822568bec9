#include "platform/Sound.h"

#include <QAudioOutput>
#include <QCoreApplication>
#include <QMediaPlayer>
#include <QUrl>

namespace {
bool g_test = false;
bool g_testPlaying = false;
QStringList g_calls;

// Made on first use: the media framework costs time the start-up need not pay.
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

void Sound::play(const QString &path)
{
    if (g_test) {
        g_calls.append(QStringLiteral("play ") + path);
        g_testPlaying = true;
        return;
    }
    QMediaPlayer *p = player();
    p->stop();
    p->setSource(QUrl::fromLocalFile(path));
    p->play();
}

void Sound::stop()
{
    if (g_test) {
        g_calls.append(QStringLiteral("stop"));
        g_testPlaying = false;
        return;
    }
    player()->stop();
}

bool Sound::isPlaying()
{
    if (g_test)
        return g_testPlaying;
    return player()->playbackState() == QMediaPlayer::PlayingState;
}

void Sound::setTestMode(bool on)
{
    g_test = on;
    g_testPlaying = false;
    g_calls.clear();
}

QStringList Sound::takeCalls() { return std::exchange(g_calls, {}); }
