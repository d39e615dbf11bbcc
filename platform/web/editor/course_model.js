// The course as the editor holds it: the game's numbers in the order the editor's wasm takes
// them, and the texts (the stage's own and the English ones) and pace as typed. Which texts can be written, and what is wrong with the
// others, is decided here; a text that cannot be written keeps the opened file's bytes.
"use strict";

/* exported TideWakeCourseModel */
/* global TideWakeCp932 */

const TideWakeCourseModel = (() => {
  const kCheckpoints = 1, kStands = 13, kRamp = 31, kPad = 33, kRecords = 35;
  const kRecordCount = 6, kBlankRecord = 99999;
  const kNameBytes = 107, kTextBytes = 255;
  // Any whole number the reader takes; the checker warns about those the game is not made for.
  const kPaceLow = -2147483648, kPaceHigh = 2147483647;
  // The stage's own texts, then the English ones the game shows in English where given.
  const fieldNames = ["name", "info1", "info2", "enName", "enInfo1", "enInfo2"];
  const fieldWords = { name: "stage name", info1: "first description line",
                       info2: "second description line", enName: "English name",
                       enInfo1: "first English description", enInfo2: "second English description" };
  const isEnglish = (field) => field.startsWith("en");

  // Every handle the map shows, in the order handles() lists them.
  const handles = [];
  for (let i = 0; i < 6; ++i) handles.push({ kind: "checkpoint", index: i });
  for (let i = 0; i < 6; ++i) handles.push({ kind: "camera", index: i });
  handles.push({ kind: "ramp", index: 0 }, { kind: "pad", index: 0 });

  function offsetOf({ kind, index }) {
    if (kind === "checkpoint") return kCheckpoints + 2 * index;
    if (kind === "camera") return kStands + 3 * index;
    return kind === "ramp" ? kRamp : kPad;
  }

  function position(numbers, handle) {
    const at = offsetOf(handle);
    const place = { x: numbers[at], y: numbers[at + 1] };
    if (handle.kind === "camera") place.z = numbers[at + 2];
    return place;
  }

  // A copy of `numbers` with the handle's coordinates changed; whole units, within 32 bits.
  function moved(numbers, handle, place) {
    const out = numbers.slice();
    const at = offsetOf(handle);
    const whole = (v) => Math.max(-2147483648, Math.min(2147483647, Math.round(v)));
    if (place.x !== undefined) out[at] = whole(place.x);
    if (place.y !== undefined) out[at + 1] = whole(place.y);
    if (place.z !== undefined && handle.kind === "camera") out[at + 2] = whole(place.z);
    return out;
  }

  function blankRecords(numbers) {
    const out = numbers.slice();
    out.fill(kBlankRecord, kRecords, kRecords + kRecordCount);
    return out;
  }

  function sameHandle(a, b) {
    return Boolean(a && b) && a.kind === b.kind && a.index === b.index;
  }

  // An English text is optional and printable ASCII; '_' stands for a space on the screen.
  function englishProblem(field, text) {
    const word = fieldWords[field];
    if (text === "") return "";
    if (/[ \t\n\v\f\r]/.test(text)) {
      return "the " + word + " holds a blank; write _ for a space, which the game shows as one";
    }
    const other = text.match(/[^\x21-\x7e]/u);
    if (other) return "the " + word + " holds \u201c" + other[0] + "\u201d, which is not ASCII";
    const limit = field === "enName" ? kNameBytes : kTextBytes;
    if (text.length > limit) {
      return "the " + word + " is too long: " + text.length + " bytes, at most " + limit + " fit";
    }
    return "";
  }

  function textProblem(field, text, bytes, missing, optional) {
    const word = fieldWords[field];
    if (text === "") return optional ? "" : "the " + word + " is empty";
    if (missing.length > 0) {
      return "the " + word + " holds " + missing.map((c) => "\u201c" + c + "\u201d").join(" ") +
        ", which the game's code page 932 has no code for";
    }
    if (/[ \t\n\v\f\r]/.test(text)) {
      return "the " + word + " holds a blank; the game would cut it there";
    }
    const limit = field === "name" ? kNameBytes : kTextBytes;
    if (bytes.length > limit) {
      return "the " + word + " is too long: " + bytes.length + " bytes, at most " + limit +
        " fit";
    }
    return "";
  }

  // What the typed fields become: { texts: [bytes or null x6], pace: number or null,
  // problems: [{ field, message }] }. A version 1 course may leave both description lines empty;
  // any course may leave the English texts empty, which takes their lines out of the file.
  function readFields(fields, format) {
    const out = { texts: [], pace: null, problems: [] };
    const described = fields.info1 !== "" || fields.info2 !== "";
    fieldNames.forEach((field, i) => {
      if (isEnglish(field)) {
        const problem = englishProblem(field, fields[field]);
        out.texts.push(problem ? null : Array.from(fields[field], (c) => c.charCodeAt(0)));
        if (problem) out.problems.push({ field, message: problem });
        return;
      }
      const { bytes, missing } = TideWakeCp932.encode(fields[field]);
      const optional = i > 0 && format !== "1.5" && !described;
      const problem = textProblem(field, fields[field], bytes, missing, optional);
      out.texts.push(problem ? null : bytes);
      if (problem) out.problems.push({ field, message: problem });
    });
    const pace = /^\s*-?[0-9]+\s*$/.test(fields.pace) ? Number(fields.pace) : NaN;
    if (pace >= kPaceLow && pace <= kPaceHigh) {
      out.pace = pace;
    } else {
      out.problems.push({ field: "pace", message: "the pace is a whole number of tenths, " +
        "10 for normal speed" });
    }
    return out;
  }

  return { handles, position, moved, blankRecords, sameHandle, readFields, fieldNames,
           records: kRecords };
})();
