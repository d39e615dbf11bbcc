// The record table: every course the server keeps, with its picture and each player's best run.
"use strict";

(() => {
  function element(tag, text, attributes) {
    const node = document.createElement(tag);
    if (text !== undefined) node.textContent = text;
    for (const [name, value] of Object.entries(attributes || {})) node.setAttribute(name, value);
    return node;
  }

  async function json(path) {
    const answer = await fetch(path);
    if (!answer.ok) throw new Error(path + ": " + answer.status);
    return answer.json();
  }

  function seconds(value) {
    return value === null || value === undefined ? "—" : value.toFixed(2);
  }

  async function showCourse(course, into) {
    const box = element("section", undefined, { class: "course", id: "course-" + course.course });
    box.append(element("img", undefined, { src: "/api/courses/" + course.course + "/map.png",
      alt: "The course from above" }));
    box.append(element("h2", course.en_name || course.name));
    box.append(element("p", course.en_info1 || course.info1));
    const file = element("a", "Download the course", { href: "/api/courses/" + course.course + "/file",
      download: course.course + ".dat" });
    box.append(element("p")).append(file);
    const table = element("table");
    const head = element("tr");
    for (const title of ["Rank", "Name", "Total", "Laps", "Place", "Date", ""]) head.append(element("th", title));
    table.append(head);
    const runs = await json("/api/courses/" + course.course + "/runs?limit=20");
    for (const run of runs) {
      const row = element("tr");
      row.append(element("td", String(run.rank)), element("td", run.name), element("td", seconds(run.total)),
        element("td", run.laps.map(seconds).join(" ")), element("td", String(run.place)),
        element("td", run.date.slice(0, 10)));
      const cell = element("td");
      cell.append(element("a", "Download replay", { href: "/api/runs/" + run.run + "/replay",
        download: "run-" + run.run + ".twr" }));
      row.append(cell);
      table.append(row);
    }
    box.append(table);
    into.append(box);
  }

  async function show() {
    const status = document.getElementById("status");
    try {
      const courses = await json("/api/courses");
      const into = document.getElementById("courses");
      for (const course of courses) await showCourse(course, into);
      status.textContent = courses.length === 0 ? "No course has been shared yet." : "";
    } catch (error) {
      status.textContent = "The table cannot be read: " + error.message;
    }
  }

  show();
})();
