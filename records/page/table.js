// The record table: every course the server keeps, with its picture, its texts in both
// languages, its file, and each player's best run on it with the run's replay. Whatever players
// wrote (names, course texts) goes into the page as text only, never as markup.
"use strict";

(() => {
  const kRunsShown = 100;

  function element(tag, text, attributes) {
    const node = document.createElement(tag);
    if (text !== undefined && text !== null) node.textContent = text;
    for (const [name, value] of Object.entries(attributes || {})) node.setAttribute(name, value);
    return node;
  }

  async function json(path) {
    const answer = await fetch(path, { headers: { Accept: "application/json" } });
    let body = null;
    try {
      body = await answer.json();
    } catch (ignored) {
      // Not JSON: the status says what went wrong.
    }
    if (!answer.ok || body === null) {
      throw new Error(body && body.error ? body.error : "the server answered " + answer.status);
    }
    return body;
  }

  function seconds(value) {
    return typeof value === "number" ? value.toFixed(2) : "—";
  }

  // "2026-12-08T04:10:44Z" as the day and the minute, in UTC as the server keeps it.
  function when(stamp) {
    const text = String(stamp || "");
    const time = element("time", text.slice(0, 10), { datetime: text });
    time.title = text.replace("T", " ").replace("Z", " UTC");
    return time;
  }

  // The course's name and texts: the English ones first where the file gives them, the Japanese
  // ones beneath; a course with one language shows that one.
  function courseTexts(course) {
    const english = [course.en_name, course.en_info1, course.en_info2];
    const japanese = [course.name, course.info1, course.info2];
    const hasEnglish = english.some((text) => text);
    const [first, second] = hasEnglish ? [english, japanese] : [japanese, null];
    const texts = element("div", undefined, { class: "texts" });
    const title = element("h2", first[0] || course.course, hasEnglish ? {} : { lang: "ja" });
    texts.append(title);
    if (second && second[0] && second[0] !== first[0]) {
      texts.append(element("p", second[0], { class: "other-name", lang: "ja" }));
    }
    const lines = (list, attributes) => list.slice(1).filter((line) => line)
      .map((line) => element("p", line, Object.assign({ class: "info" }, attributes)));
    texts.append(...lines(first, hasEnglish ? {} : { lang: "ja" }));
    if (second) texts.append(...lines(second, { lang: "ja" }));
    return texts;
  }

  function courseFacts(course) {
    const facts = element("p", undefined, { class: "facts" });
    facts.append("Shared ", when(course.uploaded), " · " + course.runs + (course.runs === 1 ? " run" : " runs"));
    if (typeof course.best_total === "number") facts.append(" · best " + seconds(course.best_total) + " s");
    const link = element("a", "Download course", {
      href: "/api/courses/" + course.course + "/file", download: course.course + ".dat", class: "download",
    });
    facts.append(" · ", link);
    return facts;
  }

  function runTable(runs) {
    if (runs.length === 0) return element("p", "No runs yet.", { class: "empty" });
    const table = element("table");
    const head = element("tr");
    for (const [title, kind] of [["Rank", "number"], ["Name", ""], ["Total", "number"], ["Laps", "laps"],
                                 ["Place", "number"], ["Date", "date"], ["Replay", ""]]) {
      head.append(element("th", title, { scope: "col", class: kind }));
    }
    const thead = element("thead");
    thead.append(head);
    table.append(thead);
    const body = element("tbody");
    for (const run of runs) {
      const row = element("tr", undefined, { id: "run-" + run.run });
      const replay = element("td");
      replay.append(element("a", "Download replay", {
        href: "/api/runs/" + run.run + "/replay", download: "run-" + run.run + ".twr", class: "download",
      }));
      const date = element("td", undefined, { class: "date" });
      date.append(when(run.date));
      row.append(element("td", String(run.rank), { class: "number" }), element("td", run.name, { class: "name" }),
        element("td", seconds(run.total), { class: "number" }),
        element("td", (run.laps || []).filter((lap) => lap > 0).map(seconds).join(" / "), { class: "laps" }),
        element("td", String(run.place), { class: "number" }), date, replay);
      body.append(row);
    }
    table.append(body);
    const scroller = element("div", undefined, { class: "runs" });
    scroller.append(table);
    return scroller;
  }

  function courseBox(course) {
    const box = element("section", undefined, { class: "course", id: "course-" + course.course });
    const map = element("img", undefined, {
      src: "/api/courses/" + course.course + "/map.png", alt: "The course from above", width: "640",
      height: "640", loading: "lazy", class: "map",
    });
    const heading = element("div", undefined, { class: "heading" });
    heading.append(courseTexts(course), courseFacts(course));
    const table = element("div", undefined, { class: "table" });
    table.append(element("p", "Reading the runs…", { class: "empty" }));
    box.append(map, heading, table);
    return { box, table };
  }

  async function fillRuns(course, into) {
    let content;
    try {
      content = runTable(await json("/api/courses/" + course.course + "/runs?limit=" + kRunsShown));
    } catch (error) {
      content = element("p", "The runs cannot be read: " + error.message, { class: "empty error" });
    }
    into.replaceChildren(content);
  }

  function contents(courses) {
    const nav = element("nav", undefined, { "aria-label": "Courses" });
    const list = element("ul");
    for (const course of courses) {
      const item = element("li");
      item.append(element("a", course.en_name || course.name || course.course, { href: "#course-" + course.course }));
      list.append(item);
    }
    nav.append(list);
    return nav;
  }

  // The game's page is there when the server was given it.
  async function offerGame() {
    try {
      const answer = await fetch("/play/", { method: "HEAD" });
      if (answer.ok) document.getElementById("play").hidden = false;
    } catch (ignored) {
      // No game here: the table stands alone.
    }
  }

  async function show() {
    const status = document.getElementById("status");
    offerGame();
    let courses;
    try {
      courses = await json("/api/courses");
    } catch (error) {
      status.textContent = "The table cannot be read: " + error.message;
      status.classList.add("error");
      return;
    }
    const into = document.getElementById("courses");
    if (courses.length === 0) {
      status.textContent = "No course has been shared yet.";
      return;
    }
    status.textContent = courses.length === 1 ? "1 course" : courses.length + " courses";
    if (courses.length > 1) into.before(contents(courses));
    const boxes = courses.map((course) => [course, courseBox(course)]);
    into.append(...boxes.map(([, { box }]) => box));
    await Promise.all(boxes.map(([course, { table }]) => fillRuns(course, table)));
    // A link to one course or run finds it once it is there.
    const target = location.hash && document.getElementById(decodeURIComponent(location.hash.slice(1)));
    if (target) target.scrollIntoView();
    document.body.classList.add("ready");
  }

  show();
})();
