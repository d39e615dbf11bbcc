// The course editor: opens a course with the game's own reader, lets the author move its
// handles on the map and type its texts, writes it back with the game's writer (only the lines
// that changed), checks it with the game's stage checker and draws it with the game's renderer.
"use strict";

(async () => {
  const Model = TideWakeCourseModel, IO = TideWakeCourseIO;
  const kStageFileLimit = 1 << 20;
  const kNewCourseName = "my_course.dat";
  const params = new URLSearchParams(location.search);
  const $ = (selector) => document.querySelector(selector);
  const mapCanvas = $("#map");
  const fieldInputs = Object.fromEntries(
    ["name", "info1", "info2", "pace", "file"].map((n) => [n, $(`input[name=${n}]`)]));

  // ---- Messages ------------------------------------------------------------------------------
  const message = $("#message");
  function showMessage(caption, text) {
    message.textContent = caption + "\n\n" + text;
    message.hidden = false;
  }
  message.addEventListener("click", () => (message.hidden = true));

  const code = await TideWakeEditorCode.load();
  const map = TideWakeMapView(mapCanvas);
  const preview = TideWakePreview($("#preview"), code);
  const history = TideWakeHistory();

  // What was opened: its format, texts and pace, and the bytes last saved, which tell whether
  // there is anything unsaved.
  let opened = null;
  // The course as edited: { numbers, fields: { name, info1, info2, pace, file }, good }, where
  // `good` holds the last texts (code page 932 bytes) and pace that could be written: a field
  // typed wrong keeps them in the file until it is mended.
  let state = null;
  let selection = null;
  let savedBytes = new Uint8Array();
  // What the course is now: its file, the checker's and the fields' problems, the lines of
  // its items.
  let current = { bytes: new Uint8Array(), problems: [], lines: null, fieldProblems: [] };

  // ---- Writing and checking --------------------------------------------------------------------
  function writeCourse() {
    const read = Model.readFields(state.fields, opened.format);
    const numbers = state.numbers.slice();
    numbers[0] = state.good.pace;
    code.setNumbers(numbers);
    state.good.texts.forEach((bytes, i) => code.setText(i, Uint8Array.from(bytes)));
    let written = code.write();
    // Description lines that cannot be written together (an old-format file gets both or
    // neither) leave both as they were opened; failing that, the name too.
    for (const fields of [[1, 2], [0, 1, 2]]) {
      if (!written.error) break;
      for (const i of fields) code.setText(i, opened.texts[i]);
      written = code.write();
    }
    const problems = read.problems.map(({ field, message }) =>
      ({ line: 0, severity: "error", message, field }));
    const fileProblem = IO.fileNameProblem(state.fields.file);
    if (fileProblem) problems.push({ line: 0, severity: "error", message: fileProblem, field: "file" });
    if (written.error) {
      problems.push({ line: 0, severity: "error", message: written.error });
      return { bytes: savedBytes, problems, lines: null };
    }
    for (const problem of code.check(written.bytes, state.fields.file || kNewCourseName)) {
      problems.push(problem);
    }
    const lines = JSON.parse(code.writtenLines());
    return { bytes: written.bytes, problems, lines };
  }

  // The handle a problem's line belongs to, or null.
  function handleOfLine(line) {
    const lines = current.lines;
    if (!lines || line <= 0) return null;
    for (const handle of Model.handles) {
      const at = handle.kind === "checkpoint" ? lines.checkpoints[handle.index]
        : handle.kind === "camera" ? lines.stands[handle.index]
        : handle.kind === "ramp" ? lines.ramp : lines.pad;
      if (at === line) return handle;
    }
    return null;
  }

  // ---- Showing the course ----------------------------------------------------------------------
  function mapItems() {
    const marks = new Map();
    for (const problem of current.problems) {
      const handle = handleOfLine(problem.line);
      if (!handle) continue;
      const key = handle.kind + handle.index;
      if (marks.get(key) !== "error") marks.set(key, problem.severity);
    }
    return Model.handles.map((handle) => ({
      handle,
      place: Model.position(state.numbers, handle),
      selected: Model.sameHandle(handle, selection),
      mark: marks.get(handle.kind + handle.index) || null,
    }));
  }

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
        input.addEventListener("focus", () => select(handle));
        input.addEventListener("input", () => {
          const value = Number(input.value);
          if (input.value.trim() === "" || !Number.isFinite(value)) return;
          change(`number:${input.name}`, () => {
            state.numbers = Model.moved(state.numbers, handle, { [axis]: value });
          });
        });
        input.addEventListener("blur", () => history.endGroup());
        cell.append(input);
        inputs[axis] = input;
      }
      row.addEventListener("click", () => select(handle));
      handleRows.set(handle.kind + handle.index, { row, inputs, handle });
    }
  }

  function showHandleNumbers() {
    for (const { row, inputs, handle } of handleRows.values()) {
      const place = Model.position(state.numbers, handle);
      row.classList.toggle("selected", Model.sameHandle(handle, selection));
      for (const axis in inputs) {
        if (document.activeElement !== inputs[axis]) inputs[axis].value = place[axis];
      }
    }
  }

  function showFields() {
    for (const name in fieldInputs) {
      const input = fieldInputs[name];
      if (input.value !== state.fields[name]) input.value = state.fields[name];
      const wrong = current.problems.some((p) => p.field === name);
      input.classList.toggle("wrong", wrong);
      input.title = current.problems.filter((p) => p.field === name).map((p) => p.message).join("\n");
    }
  }

  function showRecords() {
    const r = Model.records;
    const time = (v) => (v / 100).toFixed(2);
    $("#records").textContent = "Best laps " +
      state.numbers.slice(r, r + 3).map(time).join(" / ") + " s, totals " +
      state.numbers.slice(r + 3, r + 6).map(time).join(" / ") + " s";
  }

  function showProblems() {
    const list = $("#problems");
    list.textContent = "";
    for (const problem of current.problems) {
      const item = document.createElement("li");
      item.className = problem.severity;
      item.textContent = problem.text || `${problem.field || "course"}: ${problem.severity}: ${problem.message}`;
      item.addEventListener("click", () => {
        const handle = handleOfLine(problem.line);
        if (handle) select(handle);
        else if (problem.field) fieldInputs[problem.field].focus();
      });
      list.append(item);
    }
    if (current.problems.length === 0) {
      const item = document.createElement("li");
      item.className = "none";
      item.textContent = "The game's checker finds nothing wrong.";
      list.append(item);
    }
  }

  function drawMap() {
    map.draw(mapItems());
  }

  // Writes, checks and shows the course as it is now.
  function refresh() {
    current = writeCourse();
    drawMap();
    showHandleNumbers();
    showFields();
    showRecords();
    showProblems();
    preview.redraw();
    document.title = (unsaved() ? "* " : "") + state.fields.file + " - Tide Wake course editor";
  }

  function unsaved() {
    const bytes = current.bytes;
    return bytes.length !== savedBytes.length || bytes.some((b, i) => b !== savedBytes[i]);
  }

  // ---- Changes, undo and redo ------------------------------------------------------------------
  function change(group, apply) {
    history.save(state, group);
    apply();
    refresh();
  }

  function undo() {
    const back = history.undo(state);
    if (back) {
      state = back;
      refresh();
    }
  }

  function redo() {
    const again = history.redo(state);
    if (again) {
      state = again;
      refresh();
    }
  }

  function select(handle) {
    selection = handle;
    drawMap();
    showHandleNumbers();
  }

  // Takes what the fields hold into the file wherever it can be written.
  function keepGoodFields() {
    const read = Model.readFields(state.fields, opened.format);
    read.texts.forEach((bytes, i) => {
      if (bytes) state.good.texts[i] = Array.from(bytes);
    });
    if (read.pace !== null) state.good.pace = read.pace;
  }

  for (const name in fieldInputs) {
    fieldInputs[name].addEventListener("input", () =>
      change(`field:${name}`, () => {
        state.fields[name] = fieldInputs[name].value;
        keepGoodFields();
      }));
    fieldInputs[name].addEventListener("blur", () => history.endGroup());
  }

  $("#reset-records").addEventListener("click", () =>
    change(null, () => (state.numbers = Model.blankRecords(state.numbers))));
  $("#undo").addEventListener("click", undo);
  $("#redo").addEventListener("click", redo);
  $("#view-orbit").addEventListener("click", () => preview.setView(0));
  $("#view-grid").addEventListener("click", () => preview.setView(1));

  // ---- Dragging with a mouse, a pen or a finger; arrow keys --------------------------------
  let dragging = null;
  mapCanvas.addEventListener("pointerdown", (event) => {
    const handle = map.handleAt(event.clientX, event.clientY, mapItems());
    mapCanvas.focus();
    select(handle);
    if (!handle) return;
    event.preventDefault();
    mapCanvas.setPointerCapture(event.pointerId);
    dragging = { handle, pointer: event.pointerId, moved: false };
  });
  mapCanvas.addEventListener("pointermove", (event) => {
    if (!dragging || event.pointerId !== dragging.pointer) return;
    const place = map.toWorld(event.clientX, event.clientY);
    if (!dragging.moved) history.save(state, null);
    dragging.moved = true;
    state.numbers = Model.moved(state.numbers, dragging.handle, place);
    refresh();
  });
  const endDrag = (event) => {
    if (dragging && event.pointerId === dragging.pointer) dragging = null;
  };
  mapCanvas.addEventListener("pointerup", endDrag);
  mapCanvas.addEventListener("pointercancel", endDrag);

  const arrowSteps = { ArrowUp: ["x", 1], ArrowDown: ["x", -1], ArrowLeft: ["y", 1],
                       ArrowRight: ["y", -1] };
  addEventListener("keydown", (event) => {
    const ctrl = event.ctrlKey || event.metaKey;
    const key = event.key.toLowerCase();
    if (ctrl && key === "z" && !event.shiftKey) {
      event.preventDefault();
      undo();
      return;
    }
    if (ctrl && ((key === "z" && event.shiftKey) || key === "y")) {
      event.preventDefault();
      redo();
      return;
    }
    const typing = /^(INPUT|SELECT|TEXTAREA)$/.test(event.target.tagName);
    if (typing || !selection || !(event.key in arrowSteps)) return;
    event.preventDefault();
    // The map's up is world x, its left world y, as on the game's own course map.
    const [axis, sign] = arrowSteps[event.key];
    const step = sign * (event.shiftKey ? 10 : 100);
    const place = Model.position(state.numbers, selection);
    change(null, () => {
      state.numbers = Model.moved(state.numbers, selection, { [axis]: place[axis] + step });
    });
  });

  // ---- Opening ---------------------------------------------------------------------------------
  function openCourse(name, bytes) {
    const errors = code.check(bytes, name).filter((p) => p.severity === "error");
    if (errors.length > 0 || !code.open(bytes)) {
      const text = errors.map((p) => p.text).join("\n") || name + ": the course cannot be read";
      showMessage("The course was not opened", text);
      return false;
    }
    const course = code.course();
    const texts = course.texts.map((t) => Uint8Array.from(t));
    opened = { format: course.format, texts, pace: course.numbers[0] };
    state = {
      numbers: course.numbers,
      fields: {
        name: TideWakeCp932.decode(texts[0]),
        info1: TideWakeCp932.decode(texts[1]),
        info2: TideWakeCp932.decode(texts[2]),
        pace: String(course.numbers[0]),
        file: name,
      },
      good: { texts: course.texts, pace: course.numbers[0] },
    };
    selection = null;
    history.clear();
    savedBytes = bytes;
    refresh();
    return true;
  }

  function mayDiscard() {
    return !unsaved() || confirm("The course has changes that are not saved. Open another anyway?");
  }

  function openNew() {
    code.openNew();
    // Nothing is lost by leaving the template as it came.
    openCourse(kNewCourseName, Uint8Array.from(code.write().bytes));
  }

  $("#new").addEventListener("click", () => mayDiscard() && openNew());

  async function openFrom(name, load) {
    try {
      const bytes = await load();
      if (bytes.length > kStageFileLimit) {
        showMessage("The course was not opened", name + ": the file is larger than " +
          kStageFileLimit + " bytes, the most the game loads");
        return;
      }
      if (code.check(bytes, name).some((p) => p.severity === "error") || mayDiscard()) {
        openCourse(name, bytes);
      }
    } catch (error) {
      showMessage("The course was not opened", name + ": " + error.message);
    }
  }

  const openList = $("#open-list");
  async function fillOpenList() {
    const group = (label, names, source) => {
      const optgroup = document.createElement("optgroup");
      optgroup.label = label;
      for (const name of names) optgroup.append(new Option(name, source + ":" + name));
      openList.append(optgroup);
    };
    openList.querySelectorAll("optgroup").forEach((g) => g.remove());
    try {
      group("My courses", (await IO.stored()).map(([name]) => name).sort(), "mine");
    } catch (error) {
      console.warn("The stored courses could not be read: " + error);
    }
    try {
      group("Shipped with the game", await IO.shippedNames(), "shipped");
    } catch (error) {
      console.warn("The shipped courses could not be listed: " + error);
    }
  }
  openList.addEventListener("change", () => {
    const value = openList.value;
    openList.value = "";
    const at = value.indexOf(":");
    if (at < 0) return;
    const source = value.slice(0, at), name = value.slice(at + 1);
    openFrom(name, source === "shipped" ? () => IO.shipped(name)
      : async () => (await IO.stored()).find(([stored]) => stored === name)[1]);
  });

  const fileInput = $("#file-input");
  $("#open-file").addEventListener("click", () => fileInput.click());
  fileInput.addEventListener("change", () => {
    const file = fileInput.files[0];
    fileInput.value = "";
    if (file) openDropped({ file, folder: false });
  });

  async function openDropped(item) {
    const file = await TideWakeDroppedFiles.readDropped(item, () => kStageFileLimit);
    if (file.refusal) showMessage("The course was not opened", file.refusal);
    else if (file.kind !== "course") showMessage("The course was not opened", file.name + ": only courses (.dat) open here.");
    else openFrom(file.name, async () => file.bytes);
  }

  const dropzone = $("#dropzone");
  addEventListener("dragover", (event) => {
    event.preventDefault();
    dropzone.hidden = false;
  });
  addEventListener("dragleave", () => (dropzone.hidden = true));
  addEventListener("drop", (event) => {
    event.preventDefault();
    dropzone.hidden = true;
    const dropped = TideWakeDroppedFiles.listDrop(event.dataTransfer);
    if (dropped.length > 0) openDropped(dropped[0]);
  });

  // ---- Saving ----------------------------------------------------------------------------------
  function refusal() {
    const errors = current.problems.filter((p) => p.severity === "error");
    return errors.map((p) => p.text || p.message).join("\n");
  }

  $("#save").addEventListener("click", () => {
    const name = IO.fileNameProblem(state.fields.file) ? kNewCourseName : state.fields.file;
    IO.download(name, current.bytes);
    savedBytes = current.bytes;
    refresh();
  });

  async function store() {
    const wrong = refusal();
    if (wrong) {
      showMessage("The course was not stored", "Mend these first:\n" + wrong);
      return false;
    }
    const name = state.fields.file, bytes = current.bytes;
    try {
      const kept = await IO.addToMyCourses(name, bytes, (n) =>
        confirm(`My courses already hold ${n}. Replace it with this course?`));
      if (!kept) return false;
    } catch (error) {
      showMessage("The course was not stored", "The browser refused to store it (" +
        (error && error.message ? error.message : error) + ").");
      return false;
    }
    savedBytes = bytes;
    refresh();
    fillOpenList();
    return true;
  }

  $("#store").addEventListener("click", async () => {
    if (await store()) showMessage("Tide Wake", state.fields.file + " is among your courses: the game offers it on its stage select.");
  });
  $("#test-drive").addEventListener("click", async () => {
    if (await store()) location.href = "index.html?course=" + encodeURIComponent(state.fields.file);
  });

  addEventListener("beforeunload", (event) => {
    if (!unsaved()) return;
    event.preventDefault();
    event.returnValue = "";
  });

  // ---- Start -----------------------------------------------------------------------------------
  buildHandleTable();
  fillOpenList();
  const stageUrl = params.get("stage");
  if (stageUrl) {
    const name = stageUrl.split(/[?#]/)[0].split("/").pop() || "course.dat";
    await openFrom(name, () => IO.fetchBytes(stageUrl));
  }
  if (!opened) openNew();
  preview.drawNow();

  window.tidewakeEditor = {
    bytes: () => current.bytes.slice(),
    handles() {
      return Model.handles.map((handle) => {
        const place = Model.position(state.numbers, handle);
        const at = map.toClient(place.x, place.y);
        return { kind: handle.kind, index: handle.index, x: at.x, y: at.y };
      });
    },
    problems: () => current.problems.map(({ line, severity, message }) => ({ line, severity, message })),
    // Milliseconds from the page's start to its first drawn preview.
    get firstPreviewMs() {
      return preview.firstDrawnAt;
    },
  };
})();
