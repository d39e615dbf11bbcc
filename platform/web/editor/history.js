// Undo and redo over whole snapshots of the course. Typing into one field is one step until
// the field is left or the typing pauses, as text editors do.
"use strict";

/* exported TideWakeHistory */

function TideWakeHistory() {
  const kPause = 1500;
  let past = [], future = [];
  let lastGroup = null, lastTime = 0;

  const copy = (state) => JSON.parse(JSON.stringify(state));

  return {
    // Call before changing `current`; `group` names a run of changes that undo as one.
    save(current, group) {
      const now = performance.now();
      const joins = group && group === lastGroup && now - lastTime < kPause;
      lastGroup = group || null;
      lastTime = now;
      if (joins) return;
      past.push(copy(current));
      future = [];
    },
    endGroup() {
      lastGroup = null;
    },
    // The state to go back to, or null; `current` becomes what redo returns.
    undo(current) {
      if (past.length === 0) return null;
      lastGroup = null;
      future.push(copy(current));
      return past.pop();
    },
    redo(current) {
      if (future.length === 0) return null;
      lastGroup = null;
      past.push(copy(current));
      return future.pop();
    },
    clear() {
      past = [];
      future = [];
      lastGroup = null;
    },
  };
}
