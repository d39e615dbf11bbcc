// The panel beside the map: every handle's numbers in a table (a camera stand's height too),
// the name, description, English text and pace fields, the records and the problems list. What is typed goes
// to the editor as changes; what the editor has is shown back.
"use strict";

/* exported TideWakeFieldsPanel */
/* global TideWakeCourseModel */

// `editor`: { setField(name, value), moveHandle(handle, place, group), select(handle),
// endGroup(), blankRecords(), handleOfLine(line) }.
function TideWakeFieldsPanel(editor) {
  const Model = TideWakeCourseModel;
  const $ = (selector) => document.querySelector(selector);
  const fieldInputs = Object.fromEntries(
    [...Model.fieldNames, "pace", "file"].map((n) => [n, $(`input[name=${n}]`)]));
  const handleRows = new Map();

  function buildHandleTable() {
    const table = $("#handles");
    const names = { checkpoint: "Checkpoint ", camera: "Camera stand ", ramp: "Jump ramp",
                    pad: "Speed pad" };
    for (const handle of Model.handles) {
      const row = table.insertRow();
      const many = handle.kind === "checkpoint" || handle.kind === "camera";
      row.insertCell().textContent = names[handle.kind] + (many ? handle.index + 1 : "");
      const inputs = {};
      for (const axis of handle.kind === "camera" ? ["x", "y", "z"] : ["x", "y"]) {
        const cell = row.insertCell();
        cell.append(axis + " ");
        const input = document.createElement("input");
        input.type = "number";
        input.step = "1";
        input.name = `${handle.kind}${handle.index}${axis}`;
        input.addEventListener("focus", () => editor.select(handle));
        input.addEventListener("input", () => {
          const value = Number(input.value);
          if (input.value.trim() === "" || !Number.isFinite(value)) return;
          editor.moveHandle(handle, { [axis]: value }, `number:${input.name}`);
        });
        input.addEventListener("blur", () => editor.endGroup());
        cell.append(input);
        inputs[axis] = input;
      }
      row.addEventListener("click", () => editor.select(handle));
      handleRows.set(handle.kind + handle.index, { row, inputs, handle });
    }
  }

  function showHandleNumbers(state, selection) {
    for (const { row, inputs, handle } of handleRows.values()) {
      const place = Model.position(state.numbers, handle);
      row.classList.toggle("selected", Model.sameHandle(handle, selection));
      for (const axis in inputs) {
        if (document.activeElement !== inputs[axis]) inputs[axis].value = place[axis];
      }
    }
  }

  function showFields(state, problems) {
    for (const name in fieldInputs) {
      const input = fieldInputs[name];
      if (input.value !== state.fields[name]) input.value = state.fields[name];
      const own = problems.filter((p) => p.field === name);
      input.classList.toggle("wrong", own.length > 0);
      input.title = own.map((p) => p.message).join("\n");
    }
  }

  function showRecords(state) {
    const r = Model.records;
    const time = (v) => (v / 100).toFixed(2);
    $("#records").textContent = "Best laps " +
      state.numbers.slice(r, r + 3).map(time).join(" / ") + " s, totals " +
      state.numbers.slice(r + 3, r + 6).map(time).join(" / ") + " s";
  }

  function showProblems(problems) {
    const list = $("#problems");
    list.textContent = "";
    for (const problem of problems) {
      const item = document.createElement("li");
      item.className = problem.severity;
      item.textContent = problem.text ||
        `${problem.field || "course"}: ${problem.severity}: ${problem.message}`;
      item.addEventListener("click", () => {
        const handle = editor.handleOfLine(problem.line);
        if (handle) editor.select(handle);
        else if (problem.field) fieldInputs[problem.field].focus();
      });
      list.append(item);
    }
    if (problems.length === 0) {
      const item = document.createElement("li");
      item.className = "none";
      item.textContent = "The game's checker finds nothing wrong.";
      list.append(item);
    }
  }

  for (const name in fieldInputs) {
    fieldInputs[name].addEventListener("input", () =>
      editor.setField(name, fieldInputs[name].value));
    fieldInputs[name].addEventListener("blur", () => editor.endGroup());
  }
  $("#reset-records").addEventListener("click", () => editor.blankRecords());
  buildHandleTable();

  return {
    show(state, current, selection) {
      showHandleNumbers(state, selection);
      showFields(state, current.problems);
      showRecords(state);
      showProblems(current.problems);
    },
    showSelection: showHandleNumbers,
  };
}
