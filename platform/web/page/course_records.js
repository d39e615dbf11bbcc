// The record table of the course chosen on the stage select, beside the game's picture: its best
// ten runs, each of which the player can race against as the ghost, or, for a course the record
// server does not have yet, a button that shares it. The panel shows on the stage select only.
"use strict";

/* exported TideWakeCourseRecords */

const TideWakeCourseRecords = (() => {
  const kStageSelect = 5, kRunsShown = 10;

  function element(tag, text, attributes) {
    const node = document.createElement(tag);
    if (text !== undefined && text !== null) node.textContent = text;
    for (const [name, value] of Object.entries(attributes || {})) node.setAttribute(name, value);
    return node;
  }

  function button(text, title, onClick) {
    const node = element("button", text, { type: "button", title });
    node.addEventListener("click", (event) => {
      event.currentTarget.blur();
      onClick();
    });
    return node;
  }

  // `server` is record_server.js's; `chosenCourse()` the course on the stage select as
  // { checksum, name }, null elsewhere; `courseFile(name)` its file's bytes; `raceAgainst(name,
  // bytes)` gives the game a replay to race against there (1 when it took it at once, 0 when it
  // waits, -1 when the game refused it, in its own words).
  function create({ server, chosenCourse, courseFile, raceAgainst }) {
    const panel = element("aside", undefined, { id: "course-records", "aria-label": "The course's record table" });
    panel.hidden = true;
    const heading = element("h2", "Record table");
    const whole = element("a", "whole table", { target: "_blank", rel: "noopener" });
    heading.append(" ", whole);
    const state = element("p", "", { class: "state", role: "status" });
    const rows = element("tbody");
    const table = element("table");
    const head = element("tr");
    for (const title of ["#", "Name", "Total", ""]) head.append(element("th", title, { scope: "col" }));
    table.append(element("thead"), rows);
    table.firstChild.append(head);
    const share = button("Share this course", "Upload this course to the record table", () => shareChosen());
    const note = element("p", "", { class: "note", "aria-live": "polite" });
    panel.append(heading, state, table, share, note);
    document.body.append(panel);

    // The course shown, and a count of the table's readings, so that a late answer for a course
    // the player has stepped away from is dropped.
    let shown = null;
    let reading = 0;

    function showState(text, { runs = null, canShare = false } = {}) {
      state.textContent = text;
      state.hidden = text === "";
      table.hidden = !runs || runs.length === 0;
      share.hidden = !canShare;
      share.disabled = false;
      rows.replaceChildren(...(runs || []).map(runRow));
    }

    function runRow(run) {
      const row = element("tr");
      const race = button("Race against", "Race against " + run.name + "'s run as the ghost",
                          () => raceRun(run));
      const cell = element("td");
      cell.append(race);
      row.append(element("td", String(run.rank), { class: "number" }), element("td", run.name, { class: "name" }),
                 element("td", Number(run.total).toFixed(2), { class: "number" }), cell);
      return row;
    }

    async function read(course) {
      const count = ++reading;
      showState("Reading the table…");
      whole.href = "../#course-" + course.checksum;
      try {
        const runs = await server.runs(course.checksum, kRunsShown);
        if (count !== reading) return;
        if (runs === null) showState("This course is not shared yet.", { canShare: true });
        else showState(runs.length === 0 ? "No runs yet: finish a race and submit it." : "", { runs });
      } catch (error) {
        if (count === reading) showState("The table cannot be read: " + error.message);
      }
    }

    async function shareChosen() {
      const course = shown;
      if (!course) return;
      share.disabled = true;
      note.textContent = "Sharing " + course.name + "…";
      try {
        await server.shareCourse(course.name, courseFile(course.name));
        note.textContent = course.name + " is on the record table.";
        if (shown === course) read(course);
      } catch (error) {
        note.textContent = course.name + " was not shared: " + error.message;
        share.disabled = false;
      }
    }

    async function raceRun(run) {
      const course = shown;
      if (!course) return;
      const fileName = "run-" + run.run + ".twr";
      note.textContent = "Fetching " + run.name + "'s run…";
      let bytes;
      try {
        bytes = await server.replay(run.run);
      } catch (error) {
        note.textContent = run.name + "'s run could not be fetched: " + error.message;
        return;
      }
      // The run names the course by its driver's file name; here the same course (the checksum
      // says so, and the game checks it again) is the chosen file.
      const text = new TextDecoder().decode(bytes).replace(/^course .*$/m, "course " + course.name);
      const outcome = raceAgainst(fileName, new TextEncoder().encode(text));
      if (outcome > 0) {
        note.textContent = run.name + "'s run (" + Number(run.total).toFixed(2) + " s) races as the ghost: " +
          "press Down to start.";
      } else {
        note.textContent = "";
      }
    }

    // Called after every frame with the scene that ran.
    function afterFrame(scene) {
      if (scene !== kStageSelect) {
        if (!panel.hidden) {
          panel.hidden = true;
          shown = null;
          note.textContent = "";
        }
        return;
      }
      const course = chosenCourse();
      if (!course) return;
      if (shown && shown.checksum === course.checksum && shown.name === course.name) return;
      const first = shown === null;
      shown = course;
      if (!first) note.textContent = "";
      panel.hidden = false;
      read(course);
    }

    // A run submitted or a course shared elsewhere on the page: the table is read again.
    function refresh() {
      if (shown) read(shown);
    }

    return { afterFrame, refresh };
  }

  return { create };
})();
