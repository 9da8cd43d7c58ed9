// Undo history of the scene: what the user can change (the plain values of the sequence header,
// the keyable values and the timeline tables) taken before an edit, and the edit kept as the
// difference only: changed values and changed byte ranges of the timeline, never a whole copy.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

class CZoetraView;
class EffectLoads;

// The editable state of the scene at one moment. Holds one copy of the timeline tables (about
// 17 MB) while an edit is under way; it is dropped once the edit is turned into a SceneChange.
struct SceneSnapshot {
    std::vector<float> floats;      // header items with a float field, in item order
    std::vector<std::int32_t> ints; // header items with an integer field
    std::vector<std::string> texts; // header items with a string field
    std::vector<float> keyables;    // the 215 keyable values as the scene holds them now
    QByteArray timeline;            // the timeline tables and counters
    bool playing = false;           // whether the timeline was playing
};

SceneSnapshot takeSnapshot(CZoetraView& v);

// One edit as differences.
class SceneChange {
  public:
    // The differences between `before` and the scene as it is now.
    static SceneChange between(const SceneSnapshot& before, CZoetraView& v);

    bool isEmpty() const;
    // Bytes the change keeps (both sides).
    qint64 byteSize() const;

    // Puts the scene back as it was before the edit (undo) or after it (redo). Asset paths that
    // change are loaded again through `loads`, the glyph lists rebuilt when the text changed;
    // needs the GL context when it reloads.
    void restore(CZoetraView& v, bool after, EffectLoads& loads) const;

    // Folds a later edit into this one (typing a number key by key is one edit). Only value
    // changes fold; false, and nothing done, when either edit changed the timeline.
    bool absorb(const SceneChange& later);

    // A name for the edit: the label of the first changed keyable value without its axis
    // ("Star Spin" for "Star Spin Y"); empty when no keyable value changed.
    QString keyableName() const;
    // Whether the edit reloads assets (paths or the choices that pick a texture changed).
    bool touchesAssets() const;
    // Whether the key list or the tracks changed.
    bool touchesTimeline() const { return !ranges_.empty(); }

  private:
    template <typename T> struct Swap {
        int index; // position in the snapshot's list
        T before, after;
    };
    struct Range {
        qint64 offset;
        qint64 length;
        QByteArray before, after; // compressed when long
        bool compressed = false;
    };
    std::vector<Swap<float>> floats_;
    std::vector<Swap<std::int32_t>> ints_;
    std::vector<Swap<std::string>> texts_;
    std::vector<Swap<float>> keyables_;
    std::vector<Range> ranges_;
    // The small value lists are kept whole on both sides (a few kilobytes), so that a step puts
    // back every value exactly even when playback moved some since.
    struct Values {
        std::vector<float> floats;
        std::vector<std::int32_t> ints;
        std::vector<float> keyables;
        bool playing = false;
    };
    Values before_, after_;
};

// A digest of the editable state (header values, keyable values, timeline tables): two scenes
// with the same digest look and play the same.
QByteArray sceneDigest(CZoetraView& v);
