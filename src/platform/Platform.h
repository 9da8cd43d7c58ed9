// The services the program asks of the desktop (questions, messages, file, colour and font
// choosers, the splash window, web pages, the clipboard, waiting), behind one interface so that
// core code never touches widgets. The window implements it with Qt widgets; the command line and
// the tests use HeadlessPlatform.
#pragma once

#include <QColor>
#include <QImage>
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
    // A modal message box with an OK button.
    virtual void inform(const QString& text, const QString& caption = QString(),
                        MessageIcon icon = MessageIcon::None) = 0;

    // File choosers; an empty string means the user cancelled.
    virtual QString chooseOpenFile(const FileChoice& choice) = 0;
    virtual QString chooseSaveFile(const FileChoice& choice) = 0;
    virtual std::optional<QColor> chooseColour(const QColor& initial) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;

    // The "Please Wait:" splash window shown while a model loads. Lines are shown in order.
    virtual void showSplash(const QString& text) = 0;
    virtual void setSplashText(const QString& text) = 0;
    virtual void hideSplash() = 0;

    // Opens a web address or a file in the desktop's default program; failures are silent.
    virtual void openUrl(const QString& address) = 0;
    virtual void copyImageToClipboard(const QImage& image) = 0;
    // Blocks for the given time (headless runs return at once).
    virtual void wait(int ms) = 0;
    // Shows or clears a busy cursor during long work.
    virtual void setBusy(bool busy) = 0;
    // Gives the main window this outer size without moving it (no-op without a window).
    virtual void resizeMainWindow(int outerWidth, int outerHeight) = 0;
};

// The platform in force; a HeadlessPlatform until the window installs its own.
Platform& platform();
// Installs `p` (not owned); nullptr restores the default headless one.
void setPlatform(Platform* p);
