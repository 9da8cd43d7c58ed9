// The compression-options dialog of the video export: which encoder, and how good.
#pragma once

#include "platform/Platform.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QSlider;

class CompressionDialog : public QDialog {
    Q_OBJECT
  public:
    CompressionDialog(const QList<VideoCodecChoice>& codecs, const VideoCompression& initial,
                      QWidget* parent = nullptr);

    VideoCompression compression() const;
    QComboBox* codecBox() const { return codecBox_; }
    QSlider* qualitySlider() const { return quality_; }

  private:
    void codecChanged(int index);

    QList<VideoCodecChoice> codecs_;
    QComboBox* codecBox_;
    QSlider* quality_;
    QLabel* qualityValue_;
    QLabel* qualityCaption_;
};

// Runs the dialog modally; nullopt when the user cancels.
std::optional<VideoCompression> runCompressionDialog(QWidget* parent,
                                                     const QList<VideoCodecChoice>& codecs,
                                                     const VideoCompression& initial);
