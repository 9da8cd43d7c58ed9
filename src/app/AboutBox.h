// The About box: the program's name and version, and two buttons that open web pages.
#pragma once

#include <QDialog>

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(QWidget* parent = nullptr);
};

// Opens a new modeless About box with no owner (kept above an open Control Deck); it deletes
// itself when closed.
AboutBox* showAboutBox();
