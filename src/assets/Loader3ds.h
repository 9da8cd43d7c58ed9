// Imports a 3DS file into a model slot behind the "Please Wait:" splash, with the loader's
// messages.
#pragma once

#include "assets/Model3ds.h"

#include <QDateTime>
#include <QString>

// One per model slot; lives as long as the slot.
class Loader3ds {
  public:
    // Reads `path` (opened as given, relative to the working folder) into `model`: new objects
    // from index objectCount on, new materials after the old ones. The caller sets objectCount to
    // 0 before a re-import. Returns true when the model was read.
    bool import3ds(Model3ds& model, const char* path);
    bool import3ds(Model3ds& model, const QString& path);

    // Whether `path` names the file of this loader's last successful import, unchanged since:
    // the same file, the same size and the same modification time.
    bool holdsUnchanged(const QString& path) const;

    // True while an import runs. Its splash waits keep the window responsive, but no frame may
    // be drawn meanwhile: the view skips its paints until the import is done.
    static bool importRunning();

  private:
    // The file the last successful import read.
    QString loadedFile_; // canonical path; empty before the first import
    qint64 loadedSize_ = -1;
    QDateTime loadedModified_;
};

// Milliseconds the splash shows each of its three lines before the model is read.
constexpr int kSplashStepMs = 1000;
