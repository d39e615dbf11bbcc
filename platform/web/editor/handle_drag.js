// Moving handles on the map: dragged with a mouse, a pen or a finger (pointer events, snapped to
// whole units by the course model), or the selected one stepped with the arrow keys, 100 units a
// press and 10 with Shift.
"use strict";

/* exported TideWakeHandleDrag */

// `editor`: { items(), select(handle), selection, startMove(), moveLive(handle, place),
// moveHandle(handle, place, group) }.
function TideWakeHandleDrag(canvas, map, editor) {
  let dragging = null;

  canvas.addEventListener("pointerdown", (event) => {
    const handle = map.handleAt(event.clientX, event.clientY, editor.items());
    canvas.focus();
    editor.select(handle);
    if (!handle) return;
    event.preventDefault();
    canvas.setPointerCapture(event.pointerId);
    dragging = { handle, pointer: event.pointerId, moved: false };
  });
  canvas.addEventListener("pointermove", (event) => {
    if (!dragging || event.pointerId !== dragging.pointer) return;
    // A whole drag is one step to undo.
    if (!dragging.moved) editor.startMove();
    dragging.moved = true;
    editor.moveLive(dragging.handle, map.toWorld(event.clientX, event.clientY));
  });
  const endDrag = (event) => {
    if (dragging && event.pointerId === dragging.pointer) dragging = null;
  };
  canvas.addEventListener("pointerup", endDrag);
  canvas.addEventListener("pointercancel", endDrag);

  // The map's up is world x, its left world y, as on the game's own course map.
  const arrowSteps = { ArrowUp: ["x", 1], ArrowDown: ["x", -1], ArrowLeft: ["y", 1],
                       ArrowRight: ["y", -1] };
  addEventListener("keydown", (event) => {
    const typing = /^(INPUT|SELECT|TEXTAREA)$/.test(event.target.tagName);
    const handle = editor.selection;
    if (typing || !handle || !(event.key in arrowSteps) || event.ctrlKey || event.metaKey) return;
    event.preventDefault();
    const [axis, sign] = arrowSteps[event.key];
    const step = sign * (event.shiftKey ? 10 : 100);
    editor.moveHandle(handle, { [axis]: editor.position(handle)[axis] + step }, null);
  });
}
