// The 3D preview: the game's renderer draws the course into its 640 x 480 frame, which is shown
// through the game's palette. The circling view turns as the stage select's does; the start
// grid stands still, so it is drawn only when the course changes.
"use strict";

/* exported TideWakePreview */

function TideWakePreview(canvas, code) {
  const kFrameMs = 1000 / 30;
  const context = canvas.getContext("2d", { alpha: false });
  const image = context.createImageData(640, 480);
  const words = new Uint32Array(image.data.buffer);
  const colours = new Uint32Array(256);
  const palette = code.palette();
  for (let i = 0; i < 256; ++i) {
    colours[i] = 0xff000000 | (palette[3 * i + 2] << 16) | (palette[3 * i + 1] << 8) |
      palette[3 * i];
  }
  let view = 0, angle = 0, lastDrawn = -Infinity, firstDrawnAt = -1, wanted = true;

  function draw() {
    const frame = code.render(view, angle);
    for (let i = 0; i < words.length; ++i) words[i] = colours[frame[i]];
    context.putImageData(image, 0, 0);
    if (firstDrawnAt < 0) firstDrawnAt = performance.now();
    wanted = false;
  }

  function tick(now) {
    if (!document.hidden && (wanted || (view === 0 && now - lastDrawn >= kFrameMs))) {
      if (view === 0 && !wanted) angle = (angle + 10) % 3600;
      lastDrawn = now;
      draw();
    }
    requestAnimationFrame(tick);
  }
  requestAnimationFrame(tick);

  return {
    // The course changed: drawn at the next animation frame.
    redraw() {
      wanted = true;
    },
    drawNow: draw,
    setView(which) {
      view = which;
      wanted = true;
    },
    get firstDrawnAt() {
      return firstDrawnAt;
    },
  };
}
