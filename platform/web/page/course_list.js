// A course folder's list: list.txt names the folder's course files, one a line. The game page
// reads it for the folder it plays (the shipped one or the URL's), and the course editor for the
// shipped courses it offers, so both pages see the same courses in the same list.
"use strict";

/* exported TideWakeCourseList */
const TideWakeCourseList = (() => {
  // The names the list holds, in its order: lines end in LF or CR LF, blanks around a name and
  // blank lines are dropped, and a name with a "/" is no file of this folder and is left out.
  function namesIn(bytes) {
    const list = new TextDecoder().decode(bytes);
    return list.split(/\r?\n/).map((s) => s.trim()).filter((s) => s && !s.includes("/"));
  }

  // The names listed in the folder at `folderUrl` (with its closing "/" or without). The list
  // comes through the page's own `fetchBytes(url)`, so a missing list or a server's refusal
  // rejects with that page's words for any other file it could not fetch.
  async function load(folderUrl, fetchBytes) {
    const base = folderUrl.endsWith("/") ? folderUrl : folderUrl + "/";
    return namesIn(await fetchBytes(base + "list.txt"));
  }

  return { load, namesIn };
})();
