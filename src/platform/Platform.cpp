// The platform in force when none is set, and the file in hand.
#include "platform/Platform.h"

#include "platform/ConsolePlatform.h"

namespace {
thread_local QString t_fileInHand;

} // namespace

template <> Platform& ScopedOverride<Platform>::fallback() {
    static ConsolePlatform console;
    return console;
}

QString fileInHand() {
    return t_fileInHand;
}

FileInHand::FileInHand(const QString& file) : previous_(t_fileInHand) {
    t_fileInHand = file;
}

FileInHand::~FileInHand() {
    t_fileInHand = previous_;
}
