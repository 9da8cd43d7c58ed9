// The web addresses the Help menu and the About box open, in one place.
#pragma once

// The maker's site; the pages below are paths on it.
inline constexpr const char* kMakerSite = "https://lumatoy.example.org";
inline constexpr const char* kOnlineHelpPath = "/lmt2-help/lmt2-help.html";
inline constexpr const char* kSequencePacksPath = "/sequence-packs/sequence-packs.htm";
inline constexpr const char* kHomePagePath = "/";
// The text file that names the newest version, read by "Check for Updates" (its format is
// described in platform/UpdateCheck.h).
inline constexpr const char* kUpdateTextPath = "/updates/full/lmt2-full-version-update.txt";

// The stock-footage search page offered by the About box.
inline constexpr const char* kStockFootageSearch = "https://www.pexels.com/search/videos/abstract/";

#include <QString>

inline QString makerAddress(const char* path) {
    return QString::fromLatin1(kMakerSite) + QString::fromLatin1(path);
}

// Where "Check for Updates" reads the update text file: $LUMATOY_UPDATE_ADDRESS when set (a
// mirror, or a test's own server), else the maker's site.
inline QString updateTextAddress() {
    const QString mirror = qEnvironmentVariable("LUMATOY_UPDATE_ADDRESS");
    return mirror.isEmpty() ? makerAddress(kUpdateTextPath) : mirror;
}
