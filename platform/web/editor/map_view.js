// The fenced water seen from above, drawn as the game's own course map has it: world x runs up
// the map and world y to the left. Checkpoints, camera stands, the ramp and the pad are drawn
// as handles; a handle the checker has something to say about is ringed in its colour.
"use strict";

/* exported TideWakeMapView */

// `fence` holds the fenced water's edges, {low, high}, from the game's module.
function TideWakeMapView(canvas, fence) {
  // The world shown: the fence and a little beyond it, which stays reachable, so that a buoy
  // dragged out of the water can be dragged back.
  const kLow = -1500, kHigh = 25000;
  const kFenceLow = fence.low, kFenceHigh = fence.high;
  const kRadius = 9;  // a handle's size in CSS pixels, and how near a pointer must come
  const context = canvas.getContext("2d");
  let size = 0;  // CSS pixels on each side
  let shown = null;  // what was drawn last, drawn again when the canvas is resized (which clears it)

  const colours = {
    checkpoint: "#ffd34d", camera: "#7fd3ff", ramp: "#ff7b5c", pad: "#6cf08a",
    error: "#ff3b3b", warning: "#ffa020",
  };

  function fit() {
    const rect = canvas.getBoundingClientRect();
    size = rect.width;
    const scale = window.devicePixelRatio || 1;
    canvas.width = Math.round(size * scale);
    canvas.height = Math.round(size * scale);
    context.setTransform(scale, 0, 0, scale, 0, 0);
  }

  // World to CSS pixels within the canvas, and back.
  const unit = () => size / (kHigh - kLow);
  const toCanvas = (x, y) => ({ left: (kHigh - y) * unit(), top: (kHigh - x) * unit() });
  function toWorld(clientX, clientY) {
    const rect = canvas.getBoundingClientRect();
    return { x: kHigh - (clientY - rect.top) / unit(), y: kHigh - (clientX - rect.left) / unit() };
  }
  function toClient(x, y) {
    const rect = canvas.getBoundingClientRect();
    const { left, top } = toCanvas(x, y);
    return { x: rect.left + left, y: rect.top + top };
  }

  function drawWater() {
    context.fillStyle = "#10151c";
    context.fillRect(0, 0, size, size);
    const a = toCanvas(kFenceHigh, kFenceHigh), b = toCanvas(kFenceLow, kFenceLow);
    context.fillStyle = "#0d3050";
    context.fillRect(a.left, a.top, b.left - a.left, b.top - a.top);
    for (let v = 0; v <= 24000; v += 1000) {
      context.strokeStyle = v % 5000 === 0 ? "#2d5a80" : "#1b4262";
      context.lineWidth = 1;
      const p = toCanvas(v, kFenceLow), q = toCanvas(v, kFenceHigh);
      const r = toCanvas(kFenceLow, v), s = toCanvas(kFenceHigh, v);
      if (v >= kFenceLow && v <= kFenceHigh) {
        line(p, q);
        line(r, s);
      }
    }
    context.strokeStyle = "#e8e8e8";
    context.lineWidth = 2;
    context.strokeRect(a.left, a.top, b.left - a.left, b.top - a.top);
  }

  function line(p, q) {
    context.beginPath();
    context.moveTo(p.left, p.top);
    context.lineTo(q.left, q.top);
    context.stroke();
  }

  // The course lines, each with an arrow halfway along it showing the way round.
  function drawCourse(points) {
    context.strokeStyle = "#ffffff";
    context.fillStyle = "#ffffff";
    context.lineWidth = 1.5;
    points.forEach((p, i) => {
      const q = points[(i + 1) % points.length];
      line(p, q);
      const mid = { left: (p.left + q.left) / 2, top: (p.top + q.top) / 2 };
      const angle = Math.atan2(q.top - p.top, q.left - p.left);
      context.beginPath();
      context.moveTo(mid.left + 7 * Math.cos(angle), mid.top + 7 * Math.sin(angle));
      context.lineTo(mid.left + 5 * Math.cos(angle + 2.5), mid.top + 5 * Math.sin(angle + 2.5));
      context.lineTo(mid.left + 5 * Math.cos(angle - 2.5), mid.top + 5 * Math.sin(angle - 2.5));
      context.fill();
    });
  }

  function drawHandle(handle, at, selected, mark) {
    context.lineWidth = 2;
    context.fillStyle = colours[handle.kind];
    context.strokeStyle = selected ? "#ffffff" : "#000000";
    context.beginPath();
    if (handle.kind === "checkpoint") {
      context.arc(at.left, at.top, kRadius, 0, 2 * Math.PI);
    } else if (handle.kind === "camera") {
      context.rect(at.left - kRadius + 2, at.top - kRadius + 2, 2 * kRadius - 4, 2 * kRadius - 4);
    } else if (handle.kind === "ramp") {
      context.moveTo(at.left, at.top - kRadius);
      context.lineTo(at.left + kRadius, at.top + kRadius - 2);
      context.lineTo(at.left - kRadius, at.top + kRadius - 2);
      context.closePath();
    } else {
      context.moveTo(at.left, at.top - kRadius);
      context.lineTo(at.left + kRadius, at.top);
      context.lineTo(at.left, at.top + kRadius);
      context.lineTo(at.left - kRadius, at.top);
      context.closePath();
    }
    context.fill();
    context.stroke();
    if (mark) {
      context.strokeStyle = colours[mark];
      context.lineWidth = 3;
      context.beginPath();
      context.arc(at.left, at.top, kRadius + 5, 0, 2 * Math.PI);
      context.stroke();
    }
    const label = handle.kind === "checkpoint" ? String(handle.index + 1)
      : handle.kind === "camera" ? "C" + (handle.index + 1)
      : handle.kind === "ramp" ? "R" : "P";
    context.font = handle.kind === "camera" ? "bold 8px sans-serif" : "bold 10px sans-serif";
    context.textAlign = "center";
    context.textBaseline = "middle";
    context.fillStyle = "#000000";
    context.fillText(label, at.left, at.top + (handle.kind === "ramp" ? 2 : 0));
  }

  // `items` is [{ handle, place, selected, mark }] in drawing order.
  function draw(items) {
    shown = items;
    if (size !== canvas.getBoundingClientRect().width) fit();
    drawWater();
    const at = new Map(items.map((item) => [item, toCanvas(item.place.x, item.place.y)]));
    const checkpoints = items.filter((item) => item.handle.kind === "checkpoint");
    // Each stand is tied to the checkpoint it films.
    context.setLineDash([4, 3]);
    context.strokeStyle = colours.camera;
    context.lineWidth = 1;
    for (const item of items) {
      if (item.handle.kind !== "camera") continue;
      const served = checkpoints.find((c) => c.handle.index === item.handle.index);
      if (served) line(at.get(item), at.get(served));
    }
    context.setLineDash([]);
    drawCourse(checkpoints.map((item) => at.get(item)));
    for (const item of items) drawHandle(item.handle, at.get(item), item.selected, item.mark);
  }

  // The handle under the pointer, the nearest when several are; null when none is.
  function handleAt(clientX, clientY, items) {
    let best = null, bestDistance = kRadius + 3;
    for (const item of items) {
      const p = toClient(item.place.x, item.place.y);
      const distance = Math.hypot(p.x - clientX, p.y - clientY);
      if (distance <= bestDistance) {
        best = item.handle;
        bestDistance = distance;
      }
    }
    return best;
  }

  addEventListener("resize", () => {
    fit();
    if (shown) draw(shown);
  });
  fit();
  return { draw, toWorld, toClient, handleAt };
}
