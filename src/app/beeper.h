// The on-site beep: a tone of 800 Hz for 50 ms, given once per scan that
// calls for it. Without an audio output it is silently skipped. Tests
// install their own beeper.
#ifndef VELTRANE_APP_BEEPER_H_
#define VELTRANE_APP_BEEPER_H_

namespace veltrane::app {

class Beeper {
 public:
  virtual ~Beeper() = default;
  virtual void Beep() = 0;
};

// The beeper in use.
Beeper& Beeps();
// Installs `beeper` (not owned); nullptr restores the tone.
void SetBeeper(Beeper* beeper);

}  // namespace veltrane::app

#endif  // VELTRANE_APP_BEEPER_H_
