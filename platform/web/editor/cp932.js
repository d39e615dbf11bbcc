// Code page 932, the game's text encoding, both ways. The browser decodes it (its Shift_JIS is
// Microsoft's code page 932) but has no encoder, so the reverse table is made once from the
// decoder over every code.
"use strict";

/* exported TideWakeCp932 */

const TideWakeCp932 = (() => {
  const decoder = new TextDecoder("shift_jis");
  let table = null;

  function leadBytes() {
    const leads = [];
    for (let b = 0x81; b <= 0x9f; ++b) leads.push(b);
    // 0xF0..0xF9 are the user-defined codes, which no font of the game shows.
    for (let b = 0xe0; b <= 0xef; ++b) if (b !== 0xed && b !== 0xee) leads.push(b);
    for (let b = 0xfa; b <= 0xfc; ++b) leads.push(b);
    // The NEC copies of the IBM characters come last: Windows writes the IBM codes.
    leads.push(0xed, 0xee);
    return leads;
  }

  function build() {
    table = new Map();
    const add = (text, bytes) => {
      if (text.length === 1 && text !== "\ufffd" && !table.has(text)) table.set(text, bytes);
    };
    for (let b = 0; b < 0x80; ++b) add(decoder.decode(Uint8Array.of(b)), [b]);
    for (let b = 0xa1; b <= 0xdf; ++b) add(decoder.decode(Uint8Array.of(b)), [b]);
    for (const lead of leadBytes()) {
      for (let trail = 0x40; trail <= 0xfc; ++trail) {
        if (trail !== 0x7f) add(decoder.decode(Uint8Array.of(lead, trail)), [lead, trail]);
      }
    }
  }

  // { bytes: Uint8Array, missing: [characters with no code] }.
  function encode(text) {
    if (!table) build();
    const bytes = [];
    const missing = [];
    for (const character of text) {
      const code = table.get(character);
      if (code) bytes.push(...code);
      else if (!missing.includes(character)) missing.push(character);
    }
    return { bytes: Uint8Array.from(bytes), missing };
  }

  function decode(bytes) {
    return decoder.decode(Uint8Array.from(bytes));
  }

  return { encode, decode };
})();
