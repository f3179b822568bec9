#pragma once

#include <QString>
#include <QStringList>

// The platform's media player: an audio file played once in the background, and stopped.
// Tests record the calls instead.
class Sound
{
public:
    static void play(const QString &path);
    static void stop();
    static bool isPlaying();

    static void setTestMode(bool on);
    static QStringList takeCalls(); // "play <path>" / "stop"
};
