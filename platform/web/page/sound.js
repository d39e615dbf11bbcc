// The game's sound through WebAudio: its effects from the WAVE files' samples, its tunes as the
// page was given them.
//
// Silent until the first key press: browsers start a page's sound only after the player acts,
// and making the audio context can take the better part of a second, which the page's start
// should not wait for. Sounds and tunes are kept as they came and made playable then.
"use strict";

/* exported TideWakeSound */

const TideWakeSound = (() => {
  const Context = window.AudioContext || window.webkitAudioContext;
  let context = null;
  const sounds = [];
  // name of the MIDI file -> { data: ArrayBuffer, buffer: AudioBuffer }; data is null while the
  // tune is on its way.
  const tunes = {};
  let tune = null, tuneWanted = false, tuneSource = null;
  // The game's volumes (0..1) and the gains that play them; held while the game is paused.
  const volumes = { effects: 1, music: 1 };
  let effectsGain = null, musicGain = null, held = false;

  function decodeTune(name) {
    const entry = tunes[name];
    if (!entry || !entry.data || entry.buffer || entry.decoding || !context) return;
    entry.decoding = true;
    context.decodeAudioData(entry.data.slice(0)).then((buffer) => {
      entry.buffer = buffer;
      if (tune === name && tuneWanted && !tuneSource) startTune();
    }, () => {});
  }

  function startTune() {
    const entry = tunes[tune];
    if (!context || !entry || !entry.buffer) return;
    tuneSource = context.createBufferSource();
    tuneSource.buffer = entry.buffer;
    tuneSource.loop = true;
    tuneSource.connect(musicGain);
    tuneSource.start();
  }

  // The samples of a WAVE file's PCM as an AudioBuffer.
  function makeBuffer({ channels, rate, bits, bytes }) {
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    const step = bits / 8, frames = Math.floor(bytes.length / (step * channels));
    const buffer = context.createBuffer(channels, frames, rate);
    for (let c = 0; c < channels; ++c) {
      const out = buffer.getChannelData(c);
      for (let i = 0; i < frames; ++i) {
        const at = (i * channels + c) * step;
        if (bits === 8) out[i] = (view.getUint8(at) - 128) / 128;
        else if (bits === 16) out[i] = view.getInt16(at, true) / 32768;
        else out[i] = view.getInt32(at, true) / 2147483648;
      }
    }
    return buffer;
  }

  return {
    // A tune that is on its way: the game may open it already.
    expectTune(name) {
      if (!tunes[name]) tunes[name] = { data: null };
    },
    // One that will not come after all.
    dropTune(name) {
      if (tunes[name] && !tunes[name].data) delete tunes[name];
    },
    addTune(name, data) {
      tunes[name] = { data };
      decodeTune(name);
    },
    start() {
      return Boolean(Context);
    },
    stop() {
      this.closeMusic();
    },
    // The first key press, click or pad button.
    resume() {
      if (!Context) return;
      if (!context) {
        context = new Context();
        effectsGain = context.createGain();
        musicGain = context.createGain();
        effectsGain.gain.value = volumes.effects;
        musicGain.gain.value = volumes.music;
        effectsGain.connect(context.destination);
        musicGain.connect(context.destination);
        for (const name in tunes) decodeTune(name);
      }
      if (context.state === "suspended" && !held) context.resume();
    },
    createSound(channels, rate, bits, bytes) {
      // A rate the browser cannot play is refused now, as a device would refuse it.
      if (rate < 3000 || rate > 384000) return -1;
      let handle = sounds.indexOf(null);
      if (handle < 0) handle = sounds.length;
      sounds[handle] = { channels, rate, bits, bytes, buffer: null, source: null };
      return handle;
    },
    // A sound asked for again starts over, as the game's one channel per sound does.
    playSound(handle) {
      const sound = sounds[handle];
      if (!sound || !context || context.state !== "running") return;
      try {
        if (!sound.buffer) sound.buffer = makeBuffer(sound);
      } catch (e) {
        sounds[handle] = null;
        return;
      }
      if (sound.source) sound.source.stop();
      sound.source = context.createBufferSource();
      sound.source.buffer = sound.buffer;
      sound.source.connect(effectsGain);
      sound.source.start();
    },
    releaseSound(handle) {
      if (sounds[handle] && sounds[handle].source) sounds[handle].source.stop();
      sounds[handle] = null;
    },
    openMusic(name) {
      this.closeMusic();
      if (!tunes[name]) return false;
      tune = name;
      decodeTune(name);
      return true;
    },
    playMusic() {
      if (!tune) return;
      tuneWanted = true;
      if (!tuneSource) startTune();
    },
    // The paused game holds everything it plays where it is.
    holdMusic(hold) {
      held = hold;
      if (!context) return;
      if (hold) context.suspend();
      else context.resume();
    },
    setVolume(music, volume) {
      volumes[music ? "music" : "effects"] = volume;
      const gain = music ? musicGain : effectsGain;
      if (gain) gain.gain.value = volume;
    },
    closeMusic() {
      if (tuneSource) tuneSource.stop();
      tuneSource = null;
      tune = null;
      tuneWanted = false;
    },
  };
})();
