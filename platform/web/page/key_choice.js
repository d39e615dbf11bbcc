// The player's choice of keys on the page: which of the browser's keys stand for each of the six
// game keys the player may give others (Up, Down, Left, Right, Q, Escape), read from and written
// to keys.ini as on the desktop, but with the browser's own names for the keys ("ArrowUp",
// "KeyW", "Escape"):
//
//   # WASD instead of the arrows
//   up = KeyW
//   left = KeyA, ArrowLeft
//
// A letter key counts by the letter it types, whatever the layout (the page has always taken Q
// and P so); any other key by its place. P, F12 and Print Screen always pause and keep the frame
// and cannot be chosen. Nothing here touches the page: page.js feeds it the keys.
"use strict";

/* exported TideWakeKeyChoice */

const TideWakeKeyChoice = (() => {
  const kChoosable = 6;
  const kFileNames = ["up", "down", "left", "right", "q", "escape"];
  const kGameKeys = ["ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", "KeyQ", "Escape"];
  const kPause = 6, kScreenshot = 7;
  const kFixed = { KeyP: kPause, F12: kScreenshot, PrintScreen: kScreenshot };

  // The browser's names of the keys a keyboard has, so that a keys.ini naming one in other
  // letters ("keyw") still finds it and a misspelt one is told.
  const kKnownNames = (() => {
    const names = [];
    for (const letter of "ABCDEFGHIJKLMNOPQRSTUVWXYZ") names.push("Key" + letter);
    for (let n = 0; n <= 9; ++n) names.push("Digit" + n, "Numpad" + n);
    for (let n = 1; n <= 24; ++n) names.push("F" + n);
    return names.concat([
      "ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", "Escape", "Space", "Enter", "Tab",
      "Backspace", "Backquote", "Backslash", "BracketLeft", "BracketRight", "Comma", "Equal",
      "Minus", "Period", "Quote", "Semicolon", "Slash", "IntlBackslash", "IntlRo", "IntlYen",
      "ShiftLeft", "ShiftRight", "ControlLeft", "ControlRight", "AltLeft", "AltRight", "MetaLeft",
      "MetaRight", "ContextMenu", "CapsLock", "Convert", "NonConvert", "KanaMode", "Lang1", "Lang2",
      "Insert", "Delete", "Home", "End", "PageUp", "PageDown", "NumLock", "NumpadAdd",
      "NumpadSubtract", "NumpadMultiply", "NumpadDivide", "NumpadDecimal", "NumpadEnter",
      "NumpadEqual", "NumpadComma", "PrintScreen", "ScrollLock", "Pause",
    ]);
  })();
  const kCanonical = new Map(kKnownNames.map((name) => [name.toLowerCase(), name]));

  // The name an event's key goes by here.
  function nameOf(event) {
    const code = String(event.code || "");
    if (/^Key[A-Z]$/.test(code) && /^[a-zA-Z]$/.test(event.key)) return "Key" + event.key.toUpperCase();
    return code;
  }

  function bindable(name) {
    return kCanonical.get(name.toLowerCase()) === name && !(name in kFixed);
  }

  // A map of the six game keys to their keys' names, the game's own to begin with.
  function create() {
    let keys = kGameKeys.map((name) => [name]);

    // Makes `name` the only key of game key `key`. Another that had it loses it, and one left with
    // none gets `key`'s old keys (but `name`), so that each keeps at least one. False, changing
    // nothing, for a key that cannot be chosen.
    function bind(key, name) {
      if (!bindable(name) || key < 0 || key >= kChoosable) return false;
      const old = keys[key].filter((n) => n !== name);
      keys = keys.map((names, k) => {
        if (k === key || !names.includes(name)) return names;
        const left = names.filter((n) => n !== name);
        return left.length > 0 ? left : old.slice();
      });
      keys[key] = [name];
      return true;
    }

    // The game keys a key stands for: one of the six, P or the screenshot key.
    function gameKeysOf(name) {
      const found = [];
      keys.forEach((names, k) => names.includes(name) && found.push(k));
      if (name in kFixed) found.push(kFixed[name]);
      return found;
    }

    // Applies a keys.ini's lines; each that cannot be read is left out and described in the
    // returned list as "keys.ini:LINE: what is wrong".
    function read(text) {
      const problems = [];
      String(text).split("\n").forEach((line, i) => {
        const content = line.trim();
        if (content === "" || "#;[".includes(content[0])) return;
        const where = "keys.ini:" + (i + 1) + ": ";
        const equals = content.indexOf("=");
        if (equals < 0) {
          problems.push(where + "expected 'KEY = NAME', e.g. 'up = KeyW'");
          return;
        }
        const gameName = content.slice(0, equals).trim();
        const key = kFileNames.indexOf(gameName.toLowerCase());
        if (key < 0) {
          problems.push(where + "'" + gameName + "' is not one of " + kFileNames.join(", "));
          return;
        }
        const given = content.slice(equals + 1).trim();
        if (given === "") {
          problems.push(where + "no key named");
          return;
        }
        const chosen = [];
        for (const one of given.split(",").map((n) => n.trim())) {
          const name = kCanonical.get(one.toLowerCase());
          if (!name) {
            problems.push(where + "unknown key name '" + one + "'");
            return;
          }
          if (name in kFixed) {
            problems.push(where + name + " always " + (name === "KeyP" ? "pauses" : "keeps the frame"));
            return;
          }
          if (!chosen.includes(name)) chosen.push(name);
        }
        keys[key] = chosen;
      });
      return problems;
    }

    function names(key) {
      return key >= 0 && key < kChoosable ? keys[key].join(", ") : "";
    }

    function text() {
      let lines = "# The keys of Tide Wake, as chosen in its settings: GAME KEY = KEY, KEY\n";
      kFileNames.forEach((fileName, k) => (lines += fileName + " = " + names(k) + "\n"));
      return lines;
    }

    return {
      bind, gameKeysOf, read, names, text,
      restore: (key) => bind(key, kGameKeys[key]),
    };
  }

  return { create, nameOf, bindable, kChoosable };
})();
