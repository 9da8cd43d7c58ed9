// What the timeline asks of the Keyframe Controls page (its Frame slider, ticks and edits) and
// of the control deck. The page implements it and registers itself in `timelineUi` of the view
// while it exists; every method does nothing by default.
#pragma once

class TimelineUi {
  public:
    virtual ~TimelineUi() = default;

    // The Frame slider's position (TBM_SETPOS with redraw) and the "Frame:" edit.
    virtual void setFrameSlider(int /*frame*/) {}
    virtual int frameSlider() const { return 0; }
    virtual void showFrame(int /*frame*/) {}
    // A tick on the Frame slider for a new key, then "Keys:" = the number of keys.
    virtual void addKeyTick(int /*frame*/, int /*keyCount*/) {}
    // Clear All: no ticks, "Keys:" 0, slider at 0, "Frame:" 0.
    virtual void clearKeyTicks() {}
    // After a sequence is loaded: slider and "Frame:" at 0, slider range and "Number of Frames
    // In Timeline" = lastKeyFrame, the spin reset, the ticks of all keys redrawn.
    virtual void sequenceLoaded(int /*lastKeyFrame*/) {}
    // Shows the control deck again after a load when it is open.
    virtual void showDeck() {}
};
