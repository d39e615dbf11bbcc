// The course editor's scripts that need no browser, under node: the code page 932 encoder
// against the codes Windows writes, which typed texts the game can take, undo steps, and the
// course list both pages read.
// usage: node editor_model_test.js
"use strict";
const fs = require("fs");
const path = require("path");
const vm = require("vm");

const folder = path.join(__dirname, "..", "..", "..", "platform", "web", "editor");
const context = vm.createContext({ TextDecoder, performance, JSON, Uint8Array, Math, Number });
for (const file of ["cp932.js", "course_model.js", "history.js"]) {
  vm.runInContext(fs.readFileSync(path.join(folder, file), "utf8") +
    "\nthis.TideWakeCp932 = typeof TideWakeCp932 === 'undefined' ? undefined : TideWakeCp932;" +
    "\nthis.TideWakeCourseModel = typeof TideWakeCourseModel === 'undefined' ? undefined : TideWakeCourseModel;" +
    "\nthis.TideWakeHistory = typeof TideWakeHistory === 'undefined' ? undefined : TideWakeHistory;",
    context, { filename: file });
}
const { TideWakeCp932: Cp932, TideWakeCourseModel: Model, TideWakeHistory } = context;

let failures = 0;
function check(ok, what) {
  console.log((ok ? "ok   " : "FAIL ") + what);
  if (!ok) failures++;
}
const hex = (bytes) => Array.from(bytes, (b) => b.toString(16).padStart(2, "0")).join(" ");

// ---- Code page 932 -------------------------------------------------------------------------
const codes = [
  ["あ", "82 a0"], ["コース", "83 52 81 5b 83 58"], ["\\", "5c"], ["~", "7e"], ["ｱ", "b1"],
  ["①", "87 40"], ["～", "81 60"], ["纊", "fa 5c"], ["髙", "fb fc"], ["∵", "81 e6"], ["￢", "81 ca"],
];
for (const [text, expected] of codes) {
  const { bytes, missing } = Cp932.encode(text);
  check(hex(bytes) === expected && missing.length === 0, `${text} is written as ${hex(bytes)}`);
}
for (const text of ["😀", "𠮷", "é", "\u3094"]) {
  const { bytes, missing } = Cp932.encode("a" + text + "b");
  check(missing.join("") === text && hex(bytes) === "61 62", `${text} has no code and is left out`);
}
const sample = "湖をめぐる周回コース①～ｱ\\";
check(Cp932.decode(Cp932.encode(sample).bytes) === sample, "typed text reads back as typed");

// ---- Fields ---------------------------------------------------------------------------------
const fields = (over) => Object.assign({ name: "湖", info1: "上", info2: "下", enName: "",
                                         enInfo1: "", enInfo2: "", pace: "10" }, over);
const problemsOf = (over, format = "1.5") =>
  Model.readFields(fields(over), format).problems.map((p) => p.field).join(",");
check(problemsOf({}) === "", "a course with texts and a pace has no problem");
check(problemsOf({ name: "two words" }) === "name", "a blank in the name is a problem");
check(problemsOf({ info2: "" }) === "info2", "an empty description line of a 1.5 file is a problem");
check(problemsOf({ info1: "", info2: "" }, "1") === "",
      "an old-format file may keep both description lines empty");
check(problemsOf({ info1: "", info2: "x" }, "1") === "info1",
      "an old-format file given one description line needs the other");
check(problemsOf({ name: "ア".repeat(53) + "a" }) === "" &&
      problemsOf({ name: "ア".repeat(54) }) === "name",
      "the name takes 107 bytes, not 108");
check(problemsOf({ info1: "x".repeat(255) }) === "" && problemsOf({ info1: "x".repeat(256) }) === "info1",
      "a description line takes 255 bytes, not 256");
check(problemsOf({ pace: "-3" }) === "" && problemsOf({ pace: "2.5" }) === "pace" &&
      problemsOf({ pace: "" }) === "pace" && problemsOf({ pace: "2147483648" }) === "pace",
      "the pace is any whole number the reader takes");
check(problemsOf({ enName: "", enInfo1: "", enInfo2: "" }) === "" &&
      problemsOf({ enName: "Bay_Cove", enInfo1: "A-1!", enInfo2: "~\\" }) === "",
      "the English texts may be empty or any printable ASCII");
check(problemsOf({ enName: "Bay Cove" }) === "enName" && problemsOf({ enInfo1: "é" }) === "enInfo1" &&
      problemsOf({ enInfo2: "湖" }) === "enInfo2" && problemsOf({ enName: "a\tb" }) === "enName",
      "an English text with a blank or outside ASCII is a problem of its own field");
check(problemsOf({ enName: "n".repeat(107), enInfo2: "i".repeat(255) }) === "" &&
      problemsOf({ enName: "n".repeat(108), enInfo2: "i".repeat(256) }) === "enName,enInfo2",
      "the English texts take the sizes of the texts they stand beside");
const blankWord = Model.readFields(fields({ enName: "Bay Cove" }), "1.5").problems[0].message;
check(blankWord.includes("write _ for a space"), "a blank in English says to write _: " + blankWord);
const english = Model.readFields(fields({ enInfo1: "Up!" }), "1.5");
check(english.texts.length === 6 && hex(english.texts[4]) === "55 70 21" && hex(english.texts[3]) === "",
      "English texts are written as their ASCII bytes, none for an empty one");
const read = Model.readFields(fields({ name: "😀" }));
check(read.texts[0] === null && hex(read.texts[1]) === "8f e3",
      "a field with a problem gives nothing to write, the others their bytes");

// ---- Handles --------------------------------------------------------------------------------
const numbers = Array.from({ length: 41 }, (_, i) => i * 10);
const stand = { kind: "camera", index: 5 };
const moved = Model.moved(numbers, stand, { x: 1.6, z: -2.4 });
check(JSON.stringify(Model.position(moved, stand)) === JSON.stringify({ x: 2, y: 290, z: -2 }) &&
      moved.filter((v, i) => v !== numbers[i]).length === 2,
      "moving the sixth stand changes its own numbers alone, to whole units");
check(JSON.stringify(Model.position(numbers, { kind: "pad", index: 0 })) === '{"x":330,"y":340}',
      "the pad's numbers are where the editor's wasm puts them");
const blank = Model.blankRecords(numbers);
check(blank.slice(35).every((v) => v === 99999) && blank[34] === 340, "reset records blanks the six records alone");

// ---- Undo -----------------------------------------------------------------------------------
const history = TideWakeHistory();
let state = { name: "" };
for (const text of ["a", "ab", "abc"]) {
  history.save(state, "field:name");
  state = { name: text };
}
history.endGroup();
history.save(state, "field:name");
state = { name: "abcd" };
state = history.undo(state);
check(state.name === "abc", "typing after leaving a field is its own step");
state = history.undo(state);
check(state.name === "" && history.undo(state) === null, "one run of typing undoes at once");
state = history.redo(state);
history.save(state, null);
state = { name: "x" };
check(history.redo(state) === null, "a new change drops what could be redone");

// ---- Course lists ---------------------------------------------------------------------------
const pageFolder = path.join(__dirname, "..", "..", "..", "platform", "web", "page");
vm.runInContext(fs.readFileSync(path.join(pageFolder, "course_list.js"), "utf8") +
  "\nthis.TideWakeCourseList = TideWakeCourseList;", context, { filename: "course_list.js" });
const CourseList = context.TideWakeCourseList;
const namesOf = (text) => JSON.stringify(CourseList.namesIn(new TextEncoder().encode(text)));
check(namesOf("01.dat\r\n02.dat\r\n") === '["01.dat","02.dat"]',
      "a list written on Windows reads the same");
check(namesOf("\n03.dat\n\n  01.dat \t\n\n") === '["03.dat","01.dat"]',
      "blank lines and blanks around a name are dropped, the order is kept");
check(namesOf("01.dat\n../02.dat\nsub/03.dat\n/04.dat\n05.dat") === '["01.dat","05.dat"]',
      "a name reaching outside the folder is left out; the last line needs no line end");
check(namesOf("湖.dat\n") === '["湖.dat"]' && namesOf("") === "[]" && namesOf("\r\n \n") === "[]",
      "names are read as UTF-8, and an empty list names nothing");

async function checkListLoading() {
  const asked = [];
  const fetchBytes = async (url) => (asked.push(url), new TextEncoder().encode("01.dat\n02.dat\n"));
  const names = await CourseList.load("stage", fetchBytes);
  await CourseList.load("http://example.test/courses/", fetchBytes);
  check(JSON.stringify(asked) === '["stage/list.txt","http://example.test/courses/list.txt"]' &&
        JSON.stringify(names) === '["01.dat","02.dat"]',
        "the list is the folder's list.txt, the folder named with its closing slash or without");
  const refusal = new Error("stage/list.txt: 404");
  const refuse = async () => {
    throw refusal;
  };
  const failed = await CourseList.load("stage", refuse).then(() => null, (e) => e);
  check(failed === refusal, "a list the page could not fetch fails with the page's own error");
}

checkListLoading().then(() => process.exit(failures === 0 ? 0 : 1), (error) => {
  console.log("FAIL " + error.stack);
  process.exit(1);
});
