// The services the program asks of the desktop (questions, messages, file, colour and font
// choosers, the splash window, web pages, the clipboard, waiting), behind one interface so that
// core code never touches widgets. The window implements it with Qt widgets, the command line
// with ConsolePlatform; the tests script and record it (tests/support/ScriptedPlatform.h).
#pragma once

#include "platform/ScopedOverride.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

enum class MessageIcon { None, Information, Warning, Error, Question };

struct FontChoice {
    QString face;
    int weight = 400; // 100...900, as the font chooser gives it
    bool italic = false;
    QColor colour;
};

// How the splash window looks: its bitmap with the colour cut out of its shape, the font, place,
// colour and format of its text line, its style flags and time-out (see CSplashScreenEx).
struct SplashLook {
    QString bitmap = QStringLiteral("res/splash.bmp"); // relative to the program folder
    int keyRed = 255, keyGreen = 0, keyBlue = 255;     // any of them -1: a rectangular window
    QString fontFace = QStringLiteral("Impact");
    int fontSize = 100; // tenths of a point
    int fontFlags = 0;  // 1 bold, 2 italic, 4 underline
    int textLeft = 125, textTop = 60, textRight = 291, textBottom = 104;
    QColor textColour = QColor(255, 255, 255);
    unsigned textFormat = 0x25; // centred horizontally and vertically, single line
    unsigned style = 15;        // fade in, fade out, drop shadow, centred on the screen
    int timeoutMs = 0;          // 0: stays until hidden
};

// One video encoder the compression dialog offers.
struct VideoCodecChoice {
    QString encoder;         // FFmpeg's encoder name, e.g. "mjpeg"
    QString label;           // what the user reads, e.g. "Motion JPEG"
    bool hasQuality = false; // whether the quality setting applies
};

// What the compression dialog returns: the encoder and its quality (1...100, higher is better).
struct VideoCompression {
    QString encoder;
    int quality = 85;
};

// The answers to "Save changes to NAME?".
enum class SaveChoice { Save, Discard, Cancel };

struct FileChoice {
    QString title;
    QString filter;           // Qt filter text, e.g. "Sequence Files (*.lmt)"
    QString defaultExtension; // added to a typed name without one (save dialogs)
    QString initialPath;
};

class Platform {
  public:
    virtual ~Platform() = default;

    // A Yes/No question with the question icon; true for Yes.
    virtual bool askYesNo(const QString& text, const QString& caption = QString()) = 0;
    // "Save changes to NAME?" with Save, Discard and Cancel. Without a desktop nothing is asked:
    // the changes are discarded.
    virtual SaveChoice askSaveChanges(const QString& documentName) {
        (void)documentName;
        return SaveChoice::Discard;
    }
    // A modal message box with an OK button.
    virtual void inform(const QString& text, const QString& caption = QString(),
                        MessageIcon icon = MessageIcon::None) = 0;
    // A problem the program gets round without asking (a texture file that cannot be read leaves
    // its slot as it was), about the file in hand: the window says nothing of it, the command
    // line prints it.
    virtual void notice(const QString& text) { (void)text; }

    // File choosers; an empty string means the user cancelled.
    virtual QString chooseOpenFile(const FileChoice& choice) = 0;
    virtual QString chooseSaveFile(const FileChoice& choice) = 0;
    virtual std::optional<QColor> chooseColour(const QColor& initial) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;

    // The "Please Wait:" splash window shown while a model loads. Lines are shown in order.
    virtual void showSplash(const QString& text, const SplashLook& look = SplashLook()) = 0;
    virtual void setSplashText(const QString& text) = 0;
    virtual void hideSplash() = 0;

    // Opens a web address or a file in the desktop's default program; when there is none, the
    // user is told so in a message box.
    virtual void openUrl(const QString& address) = 0;
    virtual void copyImageToClipboard(const QImage& image) = 0;
    // Blocks for the given time (headless runs return at once).
    virtual void wait(int ms) = 0;
    // Shows or clears a busy cursor during long work.
    virtual void setBusy(bool busy) = 0;
    // The compression-options dialog of the video export; nullopt when the user cancels.
    virtual std::optional<VideoCompression>
    chooseVideoCompression(const QList<VideoCodecChoice>& codecs,
                           const VideoCompression& initial) = 0;

    // A progress window with a Cancel button for long work. setProgress returns false once the
    // user has pressed Cancel.
    virtual void showProgress(const QString& text, int total) = 0;
    virtual bool setProgress(int done) = 0;
    // Replaces the progress window's text (e.g. which frame is being worked on).
    virtual void setProgressText(const QString& text) = 0;
    virtual void hideProgress() = 0;

    // Gives the main window this outer size, at most the screen's available area, without moving
    // it unless it would reach past that area (no-op without a window).
    virtual void resizeMainWindow(int outerWidth, int outerHeight) = 0;
    // Strips the main window to a bare frame for recording (no menu, toolbar, caption or sizing
    // border), or gives them back. Neither moves nor resizes it.
    virtual void setMainWindowStripped(bool stripped) = 0;
};

// Makes another platform (not owned) the platform in force for the lifetime of this object: the
// window's while the window lives, a scripted one in the tests.
using PlatformOverride = ScopedOverride<Platform>;

// The platform in force: the console platform (no windows; messages are printed) unless a
// PlatformOverride is alive.
inline Platform& platform() {
    return PlatformOverride::inForce();
}

// The file the work in hand concerns (a sequence being read, a model or texture being loaded),
// for the messages given meanwhile; empty when none. Each thread has its own.
QString fileInHand();
// Makes `file` the file in hand for as long as it lives; the one before comes back after.
class FileInHand {
  public:
    explicit FileInHand(const QString& file);
    ~FileInHand();
    FileInHand(const FileInHand&) = delete;
    FileInHand& operator=(const FileInHand&) = delete;

  private:
    QString previous_;
};
