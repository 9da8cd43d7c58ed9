// The progress of a command-line render on stderr: one line rewritten in place on a terminal, a
// few plain lines when stderr goes to a file or a pipe.
#pragma once

#include <QString>
#include <chrono>
#include <cstdio>

class ProgressLine {
  public:
    // Reports to stderr, in place when stderr is a terminal.
    ProgressLine();
    ProgressLine(std::FILE* out, bool terminal);
    // Ends a line left open on a terminal (a render that stopped early), so that what is printed
    // next starts on a line of its own.
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // After each frame: `done` of `total` frames are finished.
    void update(int done, int total);
    // The same at `seconds` on any steady clock (update uses the process's steady clock).
    void update(int done, int total, double seconds);

    // "frame 30 of 300, 30.0 fps, 9 s left"; the rate and time left only when fps > 0.
    static QString text(int done, int total, double fps);

  private:
    std::FILE* out_;
    bool terminal_;
    // The rate is measured from the first report on, so that setting up does not count.
    double firstSeconds_ = -1;
    int firstDone_ = 0;
    double lastShown_ = -1; // seconds, on a terminal
    int lastTenth_ = 0;     // the last tenth of the run reported, otherwise
    int widest_ = 0;        // the longest line shown in place, to blank out its rest
    bool lineOpen_ = false; // a line shown in place still waits for its newline
};
