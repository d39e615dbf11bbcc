// The game's frames on the page's canvas, shown at the largest whole multiple of 640x480 that
// fits the window (or shrunk to fit a smaller one), and full screen on demand.
"use strict";

/* exported TideWakePicture */

const TideWakePicture = (() => {
  const screen = document.getElementById("screen");
  const context = screen.getContext("2d", { alpha: false });
  const presented = new Uint8Array(640 * 480);
  let image = null;

  // The frame comes already through the palette, at `rgba` in the game's memory `buffer`, and the
  // canvas takes it from there. Memory that grows is a new buffer: the view is made again then.
  function present(buffer, indices, rgba) {
    if (!image || image.data.buffer !== buffer || image.data.byteOffset !== rgba) {
      image = new ImageData(new Uint8ClampedArray(buffer, rgba, 640 * 480 * 4), 640, 480);
    }
    presented.set(new Uint8Array(buffer, indices, 640 * 480));
    context.putImageData(image, 0, 0);
  }

  // Whole-number scaling keeps every pixel square and crisp; black around it. A window smaller
  // than the frame (a phone's) shows all of it, shrunk.
  function fitScreen() {
    const fits = Math.min(innerWidth / 640, innerHeight / 480);
    const scale = fits >= 1 ? Math.floor(fits) : Math.max(fits, 0.25);
    screen.style.width = 640 * scale + "px";
    screen.style.height = 480 * scale + "px";
  }
  addEventListener("resize", fitScreen);
  fitScreen();

  function toggleFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen().catch(() => {});
  }
  document.getElementById("fullscreen").addEventListener("click", (e) => {
    e.currentTarget.blur();
    toggleFullscreen();
  });

  // The palette indices of the frame last shown.
  const pixels = () => presented.slice();

  return { present, toggleFullscreen, pixels };
})();
