// The status bar's CAP, NUM and SCRL indicators: lit while their lock key is on.
#pragma once

#include <QObject>
#include <array>

class QLabel;
class QStatusBar;

class LockKeyIndicators : public QObject {
    Q_OBJECT
  public:
    // Adds the three indicators to the right end of `bar`.
    explicit LockKeyIndicators(QStatusBar* bar);

    // Reads the lock keys again and lights the indicators to match.
    void refresh();
    QLabel* indicator(int i) const { return labels_[size_t(i)]; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::array<QLabel*, 3> labels_{};
};
