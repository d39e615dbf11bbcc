// The page's choice of keys (key_choice.js) under node: binding a key as the desktop binds one
// (each game key keeps at least one, P and the screenshot keys are never taken), keys.ini read
// and written, and letter keys counted by the letter they type.
// usage: node key_choice_test.js
"use strict";
const fs = require("fs");
const path = require("path");
const vm = require("vm");

const file = path.join(__dirname, "..", "..", "..", "platform", "web", "page", "key_choice.js");
const context = vm.createContext({});
vm.runInContext(fs.readFileSync(file, "utf8") + "\nthis.TideWakeKeyChoice = TideWakeKeyChoice;",
                context, { filename: "key_choice.js" });
const Choice = context.TideWakeKeyChoice;

let failures = 0;
function check(ok, what) {
  console.log((ok ? "ok   " : "FAIL ") + what);
  if (!ok) failures++;
}
const [kUp, kDown, kLeft, , kQ, kEscape] = [0, 1, 2, 3, 4, 5];
const all = (keys) => [0, 1, 2, 3, 4, 5].map((k) => keys.names(k)).join(" | ");

// ---- The game's own keys -------------------------------------------------------------------
{
  const keys = Choice.create();
  check(all(keys) === "ArrowUp | ArrowDown | ArrowLeft | ArrowRight | KeyQ | Escape",
        "the game's own keys to begin with: " + all(keys));
  check(keys.text() === "# The keys of Tide Wake, as chosen in its settings: GAME KEY = KEY, KEY\n" +
        "up = ArrowUp\ndown = ArrowDown\nleft = ArrowLeft\nright = ArrowRight\nq = KeyQ\n" +
        "escape = Escape\n", "keys.ini of the game's own keys names every game key");
  check(keys.gameKeysOf("KeyP").join() === "6" && keys.gameKeysOf("F12").join() === "7" &&
        keys.gameKeysOf("PrintScreen").join() === "7" && keys.gameKeysOf("KeyZ").length === 0,
        "P pauses, F12 and Print Screen keep the frame, other keys do nothing");
}

// ---- Binding -------------------------------------------------------------------------------
{
  const keys = Choice.create();
  check(keys.bind(kUp, "KeyW") && all(keys).startsWith("KeyW | ArrowDown") &&
        keys.gameKeysOf("ArrowUp").length === 0 && keys.gameKeysOf("KeyW").join() === "0",
        "a bound key is its game key's only one: " + all(keys));
  check(keys.bind(kUp, "ArrowDown") && keys.names(kUp) === "ArrowDown" && keys.names(kDown) === "KeyW",
        "a game key robbed of its last key gets the other's old ones: " + all(keys));
  const before = all(keys);
  for (const name of ["KeyP", "F12", "PrintScreen", "", "Unidentified", "keyw"]) {
    check(!keys.bind(kLeft, name) && all(keys) === before, `'${name}' cannot be bound, and nothing changes`);
  }
  check(keys.bind(kUp, "ArrowDown") && all(keys) === before, "binding a game key's own key again changes nothing");
}
{
  const keys = Choice.create();
  keys.read("left = KeyA, ArrowLeft\n");
  check(keys.bind(kUp, "KeyA") && keys.names(kLeft) === "ArrowLeft" && keys.names(kUp) === "KeyA",
        "a game key that keeps another key only loses the bound one: " + all(keys));
  check(keys.bind(kQ, "KeyX") && keys.restore(kQ) && keys.names(kQ) === "KeyQ",
        "Q's own key comes back when restored");
  keys.bind(kDown, "ArrowUp");
  check(keys.restore(kUp) && keys.names(kUp) === "ArrowUp" && keys.names(kDown) === "KeyA",
        "a restored key taken back from another leaves it the restored one's old keys: " + all(keys));
  check(keys.bind(kEscape, "Space") && keys.gameKeysOf("Space").join() === "5" &&
        keys.gameKeysOf("Escape").length === 0, "Escape may be given another key");
}

// ---- keys.ini ------------------------------------------------------------------------------
{
  const keys = Choice.create();
  const problems = keys.read([
    "# WASD", "; and a note", "[keys]", "", "  UP = keyw ", "left = KeyA, ArrowLeft, KeyA",
    "down KeyS", "jump = Space", "right = KeyNope", "q = KeyP", "escape =", "down = F12",
    "right = KeyD, Bogus",
  ].join("\n"));
  check(all(keys) === "KeyW | ArrowDown | KeyA, ArrowLeft | ArrowRight | KeyQ | Escape",
        "good lines are taken, names in any letters, a key named twice once: " + all(keys));
  const expected = [
    "keys.ini:7: expected 'KEY = NAME', e.g. 'up = KeyW'",
    "keys.ini:8: 'jump' is not one of up, down, left, right, q, escape",
    "keys.ini:9: unknown key name 'KeyNope'",
    "keys.ini:10: KeyP always pauses",
    "keys.ini:11: no key named",
    "keys.ini:12: F12 always keeps the frame",
    "keys.ini:13: unknown key name 'Bogus'",
  ];
  check(problems.join("\n") === expected.join("\n"),
        "each bad line is named by its number and left out:\n     " + problems.join("\n     "));
  const again = Choice.create();
  check(again.read(keys.text()).length === 0 && again.text() === keys.text(),
        "keys.ini as written reads back as the same keys");
  check(Choice.create().read("up = KeyW\r\ndown = KeyS\r\n").length === 0,
        "a keys.ini with Windows line ends reads");
}

// ---- The names of key events ---------------------------------------------------------------
{
  const cases = [
    [{ code: "KeyA", key: "q" }, "KeyQ", "a letter key goes by the letter it types (q on AZERTY)"],
    [{ code: "KeyQ", key: "a" }, "KeyA", "and so does the key where US keyboards have Q"],
    [{ code: "KeyQ", key: "Q" }, "KeyQ", "with Shift too"],
    [{ code: "KeyW", key: "ц" }, "KeyW", "a letter key typing no Latin letter goes by its place"],
    [{ code: "ArrowUp", key: "ArrowUp" }, "ArrowUp", "other keys go by their place"],
    [{ code: "Digit1", key: "!" }, "Digit1", "a digit by its place"],
  ];
  for (const [event, name, what] of cases) {
    check(Choice.nameOf(event) === name, `${what}: ${event.code}/${event.key} is ${Choice.nameOf(event)}`);
  }
}

process.exit(failures === 0 ? 0 : 1);
