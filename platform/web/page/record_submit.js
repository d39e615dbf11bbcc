// Submitting a finished race to the record server: a button beside "Save replay" opens a panel
// with the player's name (remembered for the next visit); the server replays the race itself and
// answers with its rank and time, or with why it would not take it, which the panel shows. A race
// on a course the server does not have yet can share the course and go on.
"use strict";

/* exported TideWakeRecordSubmit */

const TideWakeRecordSubmit = (() => {
  function element(tag, text, attributes) {
    const node = document.createElement(tag);
    if (text !== undefined && text !== null) node.textContent = text;
    for (const [name, value] of Object.entries(attributes || {})) node.setAttribute(name, value);
    return node;
  }

  // The course a replay was raced on, as its "course" line names it.
  function courseOf(bytes) {
    const found = /^course (.*)$/m.exec(new TextDecoder().decode(bytes));
    return found ? found[1].trim() : "the course";
  }

  // `server` is record_server.js's; `courseFile(name)` a course file's bytes, and `sent()` is
  // called once a run is on the table.
  function create({ server, courseFile, sent }) {
    const open = element("button", "Submit to the record table", {
      id: "submit-run", type: "button", title: "Send the last race to the record table",
    });
    open.hidden = true;
    document.getElementById("save-replay").after(open);

    const panel = element("div", undefined, { id: "record-submit", role: "dialog", "aria-label": "Submit the race" });
    panel.hidden = true;
    const label = element("label", "Name ");
    const name = element("input", undefined, {
      type: "text", name: "player", maxlength: "24", autocomplete: "nickname", spellcheck: "false",
      placeholder: "letters, digits, - _ .",
    });
    label.append(name);
    const send = element("button", "Submit", { type: "button" });
    const close = element("button", "Close", { type: "button" });
    const result = element("p", "", { class: "result", role: "status" });
    const share = element("button", "", { type: "button" });
    share.hidden = true;
    const row = element("div", undefined, { class: "row" });
    row.append(label, send, close);
    panel.append(row, result, share);
    document.body.append(panel);

    // The last finished race: { bytes, fileName, done }, done once the server has it.
    let race = null;

    function hide() {
      panel.hidden = true;
      name.blur();
    }

    open.addEventListener("click", () => {
      open.blur();
      if (!race) return;
      if (!panel.hidden) return hide();
      panel.hidden = false;
      if (!name.value) name.value = server.savedName();
      name.focus();
    });
    close.addEventListener("click", hide);
    name.addEventListener("keydown", (event) => {
      if (event.key === "Enter") submit();
      if (event.key === "Escape") hide();
    });
    send.addEventListener("click", () => submit());
    share.addEventListener("click", () => shareThenSubmit());

    // Sends `submitted` under `player`'s name; resolves to what to tell the player, and whether the
    // run is on the table.
    async function sendRace(submitted, player) {
      let token;
      try {
        token = await server.playerToken();
      } catch (error) {
        return { told: "Not sent: the browser would not keep the key your name is known by (" +
          (error && error.message ? error.message : String(error)) + ").", done: false };
      }
      server.saveName(player);
      try {
        const run = await server.submitRun(player, token, submitted.fileName, submitted.bytes);
        sent();
        return { told: "Rank " + run.rank + " on " + courseOf(submitted.bytes) + ": " +
          Number(run.total).toFixed(2) + " s, place " + run.place + " in the race.", done: true };
      } catch (error) {
        return { told: "Not on the table: " + error.message, done: false, unshared: error.status === 404 };
      }
    }

    function submit() {
      if (!race || send.disabled || race.done) return;
      const player = name.value.trim();
      if (player === "" || Array.from(player).length > 24) {
        result.textContent = "A name is 1 to 24 letters, digits and - _ . characters.";
        return;
      }
      const submitted = race;
      send.disabled = true;
      share.hidden = true;
      result.textContent = "Sending the race; the server replays it to check it…";
      sendRace(submitted, player).then(({ told, done, unshared }) => {
        submitted.done = done;
        if (race !== submitted) return;
        result.textContent = told;
        send.disabled = race.done;
        if (unshared) {
          share.textContent = "Share " + courseOf(submitted.bytes) + ", then submit";
          share.disabled = false;
          share.hidden = false;
        }
      });
    }

    async function shareThenSubmit() {
      const submitted = race;
      const course = courseOf(submitted.bytes);
      share.disabled = true;
      try {
        await server.shareCourse(course, courseFile(course));
      } catch (error) {
        if (race === submitted) result.textContent = course + " was not shared: " + (error.message || String(error));
        share.disabled = false;
        return;
      }
      if (race !== submitted) return;
      share.hidden = true;
      sent();
      submit();
    }

    // A race has finished: its replay is the one offered now.
    function raceFinished(bytes, fileName) {
      race = { bytes, fileName, done: false };
      open.hidden = false;
      send.disabled = false;
      share.hidden = true;
      result.textContent = "";
    }

    return { raceFinished };
  }

  return { create };
})();
