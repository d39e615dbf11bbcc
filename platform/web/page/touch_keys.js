// The buttons a touch screen plays with, over the bottom of the picture: each presses one of the
// game's keys for as long as a finger is on it, and several are held at once (steering while the
// view changes). They show once the page knows the screen is touched, fade when a key or a pad is
// used instead, and come back with the next touch.
"use strict";

/* exported TideWakeTouchKeys */

const TideWakeTouchKeys = (() => {
  const panel = document.getElementById("touch-keys");
  const buttons = Array.from(panel.querySelectorAll("[data-key]"));
  // The touches holding each button down, by their identifiers: the button is up once none is.
  const holding = new Map(buttons.map((button) => [button, new Set()]));
  let setKey = () => {};

  function show() {
    panel.hidden = false;
    panel.classList.remove("faded");
  }
  // A key or a pad in use: the buttons step out of the way of the picture until the next touch.
  function fade() {
    if (!panel.hidden) panel.classList.add("faded");
  }

  function press(button, touch) {
    const touches = holding.get(button);
    if (touches.has(touch)) return;
    touches.add(touch);
    if (touches.size === 1) {
      button.classList.add("held");
      setKey(Number(button.dataset.key), 1);
    }
  }
  function release(button, touch) {
    const touches = holding.get(button);
    if (!touches.delete(touch) || touches.size > 0) return;
    button.classList.remove("held");
    setKey(Number(button.dataset.key), 0);
  }
  // The button holding `touch`, if any.
  function holderOf(touch) {
    return buttons.find((button) => holding.get(button).has(touch));
  }
  // Every button up, as when the browser takes the touches for itself or the page is left; the
  // game's keys are let go by whoever calls this (or by the browser's own cancel below).
  function releaseAll() {
    for (const button of buttons) {
      for (const touch of Array.from(holding.get(button))) release(button, touch);
    }
  }
  function forgetAll() {
    for (const button of buttons) {
      holding.get(button).clear();
      button.classList.remove("held");
    }
  }

  function buttonAt(touch) {
    const element = document.elementFromPoint(touch.clientX, touch.clientY);
    return element ? element.closest("#touch-keys [data-key]") : null;
  }

  // Whatever the browser would make of a touch on the buttons (scrolling, zooming, a click, a
  // long-press menu) is prevented while it still can be.
  const keepFromBrowser = (event) => event.cancelable && event.preventDefault();

  panel.addEventListener("touchstart", (event) => {
    keepFromBrowser(event);
    for (const touch of event.changedTouches) {
      const button = touch.target.closest ? touch.target.closest("[data-key]") : null;
      if (button && holding.has(button)) press(button, touch.identifier);
    }
  }, { passive: false });
  // A finger sliding off its button lets it go; one sliding onto another presses nothing, so a
  // thumb wandering from the arrows never quits or pauses a race.
  panel.addEventListener("touchmove", (event) => {
    keepFromBrowser(event);
    for (const touch of event.changedTouches) {
      const button = holderOf(touch.identifier);
      if (button && buttonAt(touch) !== button) release(button, touch.identifier);
    }
  }, { passive: false });
  panel.addEventListener("touchend", (event) => {
    keepFromBrowser(event);
    for (const touch of event.changedTouches) {
      const button = holderOf(touch.identifier);
      if (button) release(button, touch.identifier);
    }
  }, { passive: false });
  // The browser has taken the touches for itself: no button is held any longer. (A cancel cannot
  // be prevented.)
  panel.addEventListener("touchcancel", releaseAll);
  // No long-press menu or text selection on the buttons.
  panel.addEventListener("contextmenu", (event) => event.preventDefault());

  // Any touch on the page shows the buttons, on screens that did not say they are touched.
  addEventListener("touchstart", show, { capture: true, passive: true });
  if (matchMedia("(pointer: coarse)").matches || matchMedia("(any-pointer: coarse)").matches) show();

  return {
    // `press(key, down)` presses or lets go of the game's key `key` (platform::Key).
    listen(press) { setKey = press; },
    fade,
    // The page is left: the keys have gone up already, and so do the buttons.
    forgetAll,
  };
})();
