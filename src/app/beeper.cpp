#include "app/beeper.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QtMath>
#include <memory>

namespace veltrane::app {
namespace {

constexpr double kFrequencyHz = 800.0;
constexpr double kDurationS = 0.050;

// Plays the tone through the default audio output, prepared on first use.
class ToneBeeper : public Beeper {
 public:
  void Beep() override {
    if (!prepared_) Prepare();
    if (!sink_) return;
    sink_->stop();
    buffer_.close();
    buffer_.setData(samples_);
    buffer_.open(QIODevice::ReadOnly);
    sink_->start(&buffer_);
  }

 private:
  void Prepare() {
    prepared_ = true;
    QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return;
    QAudioFormat format = device.preferredFormat();
    format.setChannelCount(1);
    if (format.sampleFormat() != QAudioFormat::Int16 &&
        format.sampleFormat() != QAudioFormat::Float) {
      format.setSampleFormat(QAudioFormat::Int16);
    }
    if (!device.isFormatSupported(format)) return;
    const int frames = static_cast<int>(format.sampleRate() * kDurationS);
    for (int i = 0; i < frames; ++i) {
      double value =
          0.5 * qSin(2 * M_PI * kFrequencyHz * i / format.sampleRate());
      if (format.sampleFormat() == QAudioFormat::Float) {
        float sample = static_cast<float>(value);
        samples_.append(reinterpret_cast<const char*>(&sample), sizeof sample);
      } else {
        qint16 sample = static_cast<qint16>(value * 32767);
        samples_.append(reinterpret_cast<const char*>(&sample), sizeof sample);
      }
    }
    sink_ = std::make_unique<QAudioSink>(device, format);
  }

  bool prepared_ = false;
  QByteArray samples_;
  QBuffer buffer_;
  std::unique_ptr<QAudioSink> sink_;
};

Beeper* current = nullptr;

}  // namespace

Beeper& Beeps() {
  static ToneBeeper* tone = new ToneBeeper;  // lives until the program ends
  return current ? *current : *tone;
}

void SetBeeper(Beeper* beeper) { current = beeper; }

}  // namespace veltrane::app
