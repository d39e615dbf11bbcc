// The page's side of the browser backend (platform/web/web_bridge.h): each call goes to the page
// object of page.js.
/* global TideWakePage, stringToUTF8, lengthBytesUTF8, twWriteText */
mergeInto(LibraryManager.library, {
  // Writes `text` into the game's buffer as web_bridge.h says, returning its whole length.
  $twWriteText: function (text, out, size) {
    stringToUTF8(text, out, size);
    return lengthBytesUTF8(text);
  },
  tw_present: function (indices, rgba) {
    TideWakePage.present(HEAPU8.buffer, indices, rgba);
  },
  tw_draw_text: function (frame, pitch, x, y, text, length, cellHeight, index) {
    TideWakePage.drawText(HEAPU8, frame, pitch, x, y, HEAPU8.slice(text, text + length),
                          cellHeight, index);
  },
  tw_error_box: function (caption, text) {
    TideWakePage.showMessage(UTF8ToString(caption), UTF8ToString(text));
  },
  tw_pad_keys: function () {
    return TideWakePage.padKeys();
  },
  tw_after_frame: function (frame, scene, stopped) {
    TideWakePage.afterFrame(frame, scene, stopped !== 0);
  },
  tw_replay_ready: function (text, length, fileName) {
    TideWakePage.replayReady(HEAPU8.slice(text, text + length), UTF8ToString(fileName));
  },
  tw_ghost_kept: function (path) {
    TideWakePage.ghostKept(UTF8ToString(path));
  },
  tw_audio_start: function () {
    return TideWakePage.audio.start() ? 1 : 0;
  },
  tw_audio_stop: function () {
    TideWakePage.audio.stop();
  },
  tw_create_sound: function (channels, rate, bits, samples, size) {
    return TideWakePage.audio.createSound(channels, rate, bits, HEAPU8.slice(samples, samples + size));
  },
  tw_play_sound: function (handle) {
    TideWakePage.audio.playSound(handle);
  },
  tw_release_sound: function (handle) {
    TideWakePage.audio.releaseSound(handle);
  },
  tw_open_music: function (name) {
    return TideWakePage.audio.openMusic(UTF8ToString(name)) ? 1 : 0;
  },
  tw_play_music: function () {
    TideWakePage.audio.playMusic();
  },
  tw_offer_file: function (name, data, size) {
    TideWakePage.offerFile(UTF8ToString(name), HEAPU8.slice(data, data + size));
  },
  tw_set_volume: function (music, volume) {
    TideWakePage.audio.setVolume(music !== 0, volume / 10);
  },
  tw_hold_music: function (held) {
    TideWakePage.audio.holdMusic(held !== 0);
  },
  tw_close_music: function () {
    TideWakePage.audio.closeMusic();
  },
  tw_system_locale__deps: ["$twWriteText"],
  tw_system_locale: function (out, size) {
    return twWriteText(navigator.language || "", out, size);
  },
  tw_key_names__deps: ["$twWriteText"],
  tw_key_names: function (key, out, size) {
    return twWriteText(TideWakePage.keys.names(key), out, size);
  },
  tw_keys_text__deps: ["$twWriteText"],
  tw_keys_text: function (out, size) {
    return twWriteText(TideWakePage.keys.text(), out, size);
  },
  tw_listen_for_key: function (key) {
    TideWakePage.keys.listenFor(key);
  },
  tw_listening_for_key: function () {
    return TideWakePage.keys.listening() ? 1 : 0;
  },
  tw_stop_listening_for_key: function () {
    TideWakePage.keys.stopListening();
  },
  tw_restore_game_key: function (key) {
    TideWakePage.keys.restore(key);
  },
});
