// Between the headless platform's files: its sound record is cleared by headless::Reset.
#pragma once

namespace headless {

// Empties the sound record and forgets every sound and tune; frame number 0.
void ResetAudio();

// Whether StartAudio finds a sound device (it does after ResetAudio).
void SetAudioDeviceAvailable(bool available);

}  // namespace headless
