// The game's texts in its frame: the canvas draws them, and every pixel at least half covered
// becomes a solid one of the text's colour.
//
// A text seen before is drawn from its mask. The lap times change every frame, though, and
// drawing each new one on the canvas and reading it back costs more than the rest of the page;
// so a text of characters that sit on whole pixels is put together from masks of its characters
// instead, which gives the same pixels: no kerning or ligatures in our face, each glyph drawn on
// its own where glyphs do not share a pixel. Where two glyphs do both partly cover a pixel, how
// the canvas blends them decides, and that text is drawn whole after all.
"use strict";

/* exported TideWakeText */

const TideWakeText = (() => {
  const decoder = new TextDecoder("shift_jis");
  const canvas = document.createElement("canvas");
  const context = canvas.getContext("2d", { willReadFrequently: true });
  // "height:text" -> { width, height, mask }; cleared when it grows past kMostTexts.
  const texts = new Map();
  const kMostTexts = 512;
  // "height:character" -> { advance, coverage } or null for one that cannot be put together.
  const glyphs = new Map();
  // Room around a glyph drawn on its own for ink that reaches past its advance.
  const glyphMargin = (cellHeight) => cellHeight;

  // Sets the face at `cellHeight` and measures `text`. Its cell is ascent + descent high; the
  // baseline sits the ascent below its top. A browser that does not say gets IPAGothic's own:
  // ascent 1802 and descent 246 of 2048 units.
  function measure(text, cellHeight) {
    context.font = cellHeight + "px TideWakeGothic";
    const metrics = context.measureText(text);
    const ascent = metrics.fontBoundingBoxAscent || 1802;
    const descent = metrics.fontBoundingBoxDescent || 246;
    return { width: metrics.width, baseline: Math.round((cellHeight * ascent) / (ascent + descent)) };
  }

  // The alpha of `text` drawn white at `left` on its baseline, in a canvas `width` wide and one
  // cell high.
  function coverageOf(text, cellHeight, width, left, baseline) {
    canvas.width = width;
    canvas.height = cellHeight;
    context.font = cellHeight + "px TideWakeGothic";
    context.textBaseline = "alphabetic";
    context.fillStyle = "#fff";
    context.clearRect(0, 0, width, cellHeight);
    context.fillText(text, left, baseline);
    const rgba = context.getImageData(0, 0, width, cellHeight).data;
    const coverage = new Uint8Array(width * cellHeight);
    for (let i = 0; i < coverage.length; ++i) coverage[i] = rgba[i * 4 + 3];
    return coverage;
  }

  function maskOf(coverage) {
    const mask = new Uint8Array(coverage.length);
    for (let i = 0; i < mask.length; ++i) mask[i] = coverage[i] >= 128 ? 1 : 0;
    return mask;
  }

  // The text drawn on the canvas as one, as wide as it measures.
  function drawnWhole(text, cellHeight) {
    const { width: measured, baseline } = measure(text, cellHeight);
    const width = Math.max(1, Math.ceil(measured));
    return { width, height: cellHeight, mask: maskOf(coverageOf(text, cellHeight, width, 0, baseline)) };
  }

  // Characters whose glyphs nothing in our face joins with a neighbour: printable ASCII, their
  // full-width forms and the kanji.
  function standsAlone(code) {
    return (code >= 0x20 && code <= 0x7e) || (code >= 0xff01 && code <= 0xff5e) ||
      (code >= 0x4e00 && code <= 0x9fff);
  }

  function glyphOf(character, cellHeight) {
    const key = cellHeight + ":" + character;
    if (glyphs.has(key)) return glyphs.get(key);
    let glyph = null;
    const { width: advance, baseline } = measure(character, cellHeight);
    if (standsAlone(character.codePointAt(0)) && Number.isInteger(advance) && advance > 0) {
      const margin = glyphMargin(cellHeight), drawn = advance + 2 * margin;
      const coverage = coverageOf(character, cellHeight, drawn, margin, baseline);
      // Only the columns with ink are kept, from `left` of the pen on.
      let first = drawn, last = -1;
      for (let i = 0; i < coverage.length; ++i) {
        if (coverage[i] === 0) continue;
        first = Math.min(first, i % drawn);
        last = Math.max(last, i % drawn);
      }
      // Ink up to the edge of the room may go on past it: that one is left to the canvas.
      if (first === 0 || last === drawn - 1) {
        glyphs.set(key, null);
        return null;
      }
      const width = Math.max(0, last - first + 1);
      const ink = new Uint8Array(width * cellHeight);
      for (let row = 0; row < cellHeight && width > 0; ++row) {
        ink.set(coverage.subarray(row * drawn + first, row * drawn + first + width), row * width);
      }
      glyph = { advance, left: first - margin, width, coverage: ink };
    }
    glyphs.set(key, glyph);
    return glyph;
  }

  // The text put together from its glyphs, or null where only the canvas can say.
  function putTogether(text, cellHeight) {
    const line = [];
    let width = 0;
    for (const character of text) {
      const glyph = glyphOf(character, cellHeight);
      if (!glyph) return null;
      line.push([glyph, width]);
      width += glyph.advance;
    }
    // Laid out as one, the text comes to the sum of its advances (our face has no kerning), and
    // the canvas cuts it there.
    width = Math.max(1, width);
    const coverage = new Uint8Array(width * cellHeight);
    for (const [glyph, pen] of line) {
      for (let row = 0; row < cellHeight; ++row) {
        for (let col = 0; col < glyph.width; ++col) {
          const x = pen + glyph.left + col;
          const alpha = glyph.coverage[row * glyph.width + col];
          if (x < 0 || x >= width || alpha === 0) continue;
          const at = row * width + x;
          const under = coverage[at];
          // Full cover over anything stays full; two partial covers blend as the canvas says.
          if (under !== 0 && under !== 255 && alpha !== 255) return null;
          coverage[at] = under === 255 ? 255 : alpha;
        }
      }
    }
    return { width, height: cellHeight, mask: maskOf(coverage) };
  }

  function textMask(text, cellHeight) {
    const key = cellHeight + ":" + text;
    let mask = texts.get(key);
    if (mask) return mask;
    mask = putTogether(text, cellHeight) || drawnWhole(text, cellHeight);
    if (texts.size >= kMostTexts) texts.clear();
    texts.set(key, mask);
    return mask;
  }

  // Draws code page 932 `bytes` into the frame at `heap[frame]` (rows `pitch` apart) with its
  // cell's top left at x, y, in palette `index`; what falls outside the 640x480 frame is cut.
  function draw(heap, frame, pitch, x, y, bytes, cellHeight, index) {
    const { width, height, mask } = textMask(decoder.decode(bytes), cellHeight);
    const left = Math.max(0, -x), right = Math.min(width, 640 - x);
    for (let row = Math.max(0, -y); row < Math.min(height, 480 - y); ++row) {
      const line = frame + (y + row) * pitch + x;
      for (let col = left, at = row * width + left; col < right; ++col, ++at) {
        if (mask[at]) heap[line + col] = index;
      }
    }
  }

  return { draw, textMask, drawnWhole, putTogether };
})();
