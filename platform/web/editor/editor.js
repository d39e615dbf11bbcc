// The course editor: opens a course with the game's own reader, lets the author move its
// handles on the map and type its texts, writes it back with the game's writer (only the lines
// that changed), checks it with the game's stage checker and draws it with the game's renderer.
"use strict";

/* global TideWakeCourseIO, TideWakeCourseModel, TideWakeCp932, TideWakeEditorCode,
   TideWakeFieldsPanel, TideWakeHandleDrag, TideWakeHistory, TideWakeMapView, TideWakeOpenControls,
   TideWakePreview */

(async () => {
  const Model = TideWakeCourseModel, IO = TideWakeCourseIO;
  const kStageFileLimit = 1 << 20;
  const kNewCourseName = "my_course.dat";
  const params = new URLSearchParams(location.search);
  const $ = (selector) => document.querySelector(selector);
  const mapCanvas = $("#map");

  // ---- Messages ------------------------------------------------------------------------------
  const message = $("#message");
  function showMessage(caption, text) {
    message.textContent = caption + "\n\n" + text;
    message.hidden = false;
  }
  message.addEventListener("click", () => (message.hidden = true));

  const code = await TideWakeEditorCode.load();
  const map = TideWakeMapView(mapCanvas, code.fence());
  const preview = TideWakePreview($("#preview"), code);
  const history = TideWakeHistory();

  // What was opened: its format, texts and pace, and the bytes last saved, which tell whether
  // there is anything unsaved.
  let opened = null;
  // The course as edited: { numbers, fields: { name, info1, info2, enName, enInfo1, enInfo2,
  // pace, file }, good }, where `good` holds the last texts (code page 932 bytes, ASCII for the
  // English ones) and pace that could be written: a field typed wrong keeps them in the file
  // until it is mended.
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
    // neither) leave both as they were opened; failing that, every text.
    for (const fields of [[1, 2], [0, 1, 2, 3, 4, 5]]) {
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
    const lines = JSON.parse(code.writtenLines());
    // The checker's word on an English line belongs to its field, which shows it.
    const fieldOfLine = (line) =>
      ["enName", "enInfo1", "enInfo2"].find((field) => lines && line > 0 && lines[field] === line);
    for (const problem of code.check(written.bytes, state.fields.file || kNewCourseName)) {
      const field = fieldOfLine(problem.line);
      problems.push(field ? Object.assign({ field }, problem) : problem);
    }
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

  function drawMap() {
    map.draw(mapItems());
  }

  // Writes, checks and shows the course as it is now.
  function refresh() {
    current = writeCourse();
    drawMap();
    panel.show(state, current, selection);
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
    panel.showSelection(state, selection);
  }

  // Takes what the fields hold into the file wherever it can be written.
  function keepGoodFields() {
    const read = Model.readFields(state.fields, opened.format);
    read.texts.forEach((bytes, i) => {
      if (bytes) state.good.texts[i] = Array.from(bytes);
    });
    if (read.pace !== null) state.good.pace = read.pace;
  }

  const editor = {
    setField(name, value) {
      change(`field:${name}`, () => {
        state.fields[name] = value;
        keepGoodFields();
      });
    },
    moveHandle(handle, place, group) {
      change(group, () => (state.numbers = Model.moved(state.numbers, handle, place)));
    },
    // A drag: one step to undo, then the handle follows the pointer.
    startMove: () => history.save(state, null),
    moveLive(handle, place) {
      state.numbers = Model.moved(state.numbers, handle, place);
      refresh();
    },
    position: (handle) => Model.position(state.numbers, handle),
    items: mapItems,
    select,
    get selection() {
      return selection;
    },
    endGroup: () => history.endGroup(),
    blankRecords: () => change(null, () => (state.numbers = Model.blankRecords(state.numbers))),
    handleOfLine,
  };
  const panel = TideWakeFieldsPanel(editor);
  TideWakeHandleDrag(mapCanvas, map, editor);

  $("#undo").addEventListener("click", undo);
  $("#redo").addEventListener("click", redo);
  $("#view-orbit").addEventListener("click", () => preview.setView(0));
  $("#view-grid").addEventListener("click", () => preview.setView(1));

  // ---- Undo and redo keys, wherever the focus is ----------------------------------------------
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
    }
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
    const fields = Object.fromEntries(Model.fieldNames.map((field, i) =>
      [field, TideWakeCp932.decode(texts[i])]));
    state = {
      numbers: course.numbers,
      fields: Object.assign(fields, { pace: String(course.numbers[0]), file: name }),
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

  const openControls = TideWakeOpenControls(openFrom, (text) =>
    showMessage("The course was not opened", text));
  const fillOpenList = openControls.fillOpenList;

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
