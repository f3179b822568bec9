#include "platform/Sound.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace {
bool g_test = false;
bool g_testPlaying = false;
QStringList g_calls;

// The player lives in the module sorrisa_sound beside the executable (SoundPlayer.cpp), loaded
// at the first sound: the media framework costs the start-up time it need not pay. Until
// then nothing plays, so stopping needs no module. Without the module the program goes on
// silently.
struct Player
{
    void (*play)(const QString &) = nullptr;
    void (*stop)() = nullptr;
    bool (*isPlaying)() = nullptr;
};

bool g_loaded = false;

const Player &player()
{
    g_loaded = true;
    static const Player loaded = [] {
        Player p;
        QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/sorrisa_sound"));
        if (!module.load()) {
            qWarning("Sound: %s", qPrintable(module.errorString()));
            return p;
        }
        p.play = reinterpret_cast<void (*)(const QString &)>(module.resolve("sorrisa_sound_play"));
        p.stop = reinterpret_cast<void (*)()>(module.resolve("sorrisa_sound_stop"));
        p.isPlaying = reinterpret_cast<bool (*)()>(module.resolve("sorrisa_sound_is_playing"));
        if (!p.play || !p.stop || !p.isPlaying)
            p = Player{};
        return p;
    }();
    return loaded;
}
} // namespace

void Sound::play(const QString &path)
{
    if (g_test) {
        g_calls.append(QStringLiteral("play ") + path);
        g_testPlaying = true;
        return;
    }
    // A missing sound file stays silent: the media framework would first spend a second
    // looking for it, with the window that asked for the sound still waiting to be painted.
    if (!QFileInfo::exists(path)) {
        qWarning("Sound: %s is missing", qPrintable(path));
        return;
    }
    if (player().play)
        player().play(path);
}

void Sound::stop()
{
    if (g_test) {
        g_calls.append(QStringLiteral("stop"));
        g_testPlaying = false;
        return;
    }
    if (g_loaded && player().stop)
        player().stop();
}

bool Sound::isPlaying()
{
    if (g_test)
        return g_testPlaying;
    return g_loaded && player().isPlaying && player().isPlaying();
}

void Sound::setTestMode(bool on)
{
    g_test = on;
    g_testPlaying = false;
    g_calls.clear();
}

QStringList Sound::takeCalls() { return std::exchange(g_calls, {}); }
