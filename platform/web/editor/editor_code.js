// The game's own stage reader, writer, checker and renderer, compiled to wasm
// (tidewake-editor.js), behind calls that take and give JavaScript values.
"use strict";

/* exported TideWakeEditorCode */
// The wasm module's factory, which the build's tidewake-editor.js defines.
/* global TideWakeEditorModule */

const TideWakeEditorCode = (() => {
  const kNumberCount = 41;

  async function load() {
    const module = await TideWakeEditorModule({
      print: (text) => console.log(text),
      printErr: (text) => console.warn(text),
    });

    // Runs `call` with `bytes` copied into the wasm heap.
    function withBytes(bytes, call) {
      const at = module._malloc(Math.max(1, bytes.length));
      module.HEAPU8.set(bytes, at);
      try {
        return call(at, bytes.length);
      } finally {
        module._free(at);
      }
    }

    function withString(text, call) {
      const at = module.allocateUTF8(text);
      try {
        return call(at);
      } finally {
        module._free(at);
      }
    }

    const json = (pointer) => JSON.parse(module.UTF8ToString(pointer));

    return {
      numberCount: kNumberCount,
      // True when the reader takes the file; it is then the file every save is written over.
      open: (bytes) => withBytes(bytes, (at, size) => module._tw_editor_open(at, size) === 1),
      openNew: () => module._tw_editor_open_new() === 1,
      course: () => json(module._tw_editor_course()),
      setNumbers(numbers) {
        const words = Int32Array.from(numbers);
        return withBytes(new Uint8Array(words.buffer), (at) =>
          module._tw_editor_set_numbers(at, words.length) === 1);
      },
      setText: (field, bytes) =>
        withBytes(bytes, (at, size) => module._tw_editor_set_text(field, at, size) === 1),
      // { bytes } as a save writes them, or { error }.
      write() {
        if (module._tw_editor_write() !== 1) {
          return { error: module.UTF8ToString(module._tw_editor_error()) };
        }
        const at = module._tw_editor_written_data();
        const size = module._tw_editor_written_size();
        return { bytes: module.HEAPU8.slice(at, at + size) };
      },
      // [{ line, severity, message, text }] from the game's stage checker.
      check: (bytes, fileName) => withBytes(bytes, (at, size) =>
        withString(fileName, (name) => json(module._tw_editor_check(at, size, name)))),
      // The 640 x 480 frame of palette indices; valid until the next call.
      render(view, angle) {
        const at = module._tw_editor_render(view, angle);
        return module.HEAPU8.subarray(at, at + 640 * 480);
      },
      writtenLines: () => module.UTF8ToString(module._tw_editor_written_lines()),
      // The fenced water's edges in world units, as the game and its checker know them.
      fence: () => ({ low: module._tw_editor_fence(0), high: module._tw_editor_fence(1) }),
      palette() {
        const at = module._tw_editor_palette();
        return module.HEAPU8.slice(at, at + 768);
      },
    };
  }

  return { load };
})();
