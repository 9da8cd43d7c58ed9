// Encoder list and quality slider; the slider is greyed out for codecs without a quality.
#include "export/ui/CompressionDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

CompressionDialog::CompressionDialog(const QList<VideoCodecChoice>& codecs,
                                     const VideoCompression& initial, QWidget* parent)
    : QDialog(parent), codecs_(codecs), codecBox_(new QComboBox(this)),
      quality_(new QSlider(Qt::Horizontal, this)), qualityValue_(new QLabel(this)),
      qualityCaption_(new QLabel(tr("Quality:"), this)) {
    setWindowTitle(tr("Video Compression"));

    int selected = 0;
    for (int i = 0; i < codecs_.size(); ++i) {
        codecBox_->addItem(codecs_[i].label, codecs_[i].encoder);
        if (codecs_[i].encoder == initial.encoder) selected = i;
    }
    quality_->setRange(1, 100);
    quality_->setValue(initial.quality);
    quality_->setPageStep(10);
    qualityValue_->setMinimumWidth(qualityValue_->fontMetrics().horizontalAdvance("100"));
    qualityValue_->setNum(initial.quality);
    connect(quality_, &QSlider::valueChanged, qualityValue_, qOverload<int>(&QLabel::setNum));

    auto* qualityRow = new QHBoxLayout;
    qualityRow->addWidget(quality_);
    qualityRow->addWidget(qualityValue_);
    auto* form = new QFormLayout;
    form->addRow(tr("Compressor:"), codecBox_);
    form->addRow(qualityCaption_, qualityRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!codecs_.isEmpty());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(codecBox_, &QComboBox::currentIndexChanged, this, &CompressionDialog::codecChanged);
    codecBox_->setCurrentIndex(selected);
    codecChanged(selected);
}

void CompressionDialog::codecChanged(int index) {
    const bool hasQuality = index >= 0 && index < codecs_.size() && codecs_[index].hasQuality;
    quality_->setEnabled(hasQuality);
    qualityValue_->setEnabled(hasQuality);
    qualityCaption_->setEnabled(hasQuality);
}

VideoCompression CompressionDialog::compression() const {
    return {codecBox_->currentData().toString(), quality_->value()};
}

std::optional<VideoCompression> runCompressionDialog(QWidget* parent,
                                                     const QList<VideoCodecChoice>& codecs,
                                                     const VideoCompression& initial) {
    CompressionDialog dialog(codecs, initial, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.compression();
}
