// The record server the page was served by (the page is its /play/): a course's table, a run's
// replay, sharing a course and submitting a race; and the player's name and token, which the
// browser keeps, the name in localStorage and the token in IndexedDB. The token, 128 random bits
// made once, is what the server knows the player's name by. page.js loads this script only once
// it has found the server.
"use strict";

/* exported TideWakeRecordServer */

const TideWakeRecordServer = (() => {
  const kApi = "../api/";
  const kNameKey = "tidewake-record-name";
  const kDatabase = "tidewake-records", kPlayer = "player", kTokenKey = "token";

  // A header's value is bytes: the UTF-8 of `text`, one byte a character.
  function headerBytes(text) {
    return String.fromCharCode(...new TextEncoder().encode(text));
  }

  // A file's name goes to the server for its messages when it is plain ASCII.
  function fileNameHeader(name) {
    return /^[\x21-\x7e]{1,64}$/.test(name) ? { "X-File-Name": name } : {};
  }

  // The server's answer as JSON. A refusal rejects with the server's own words (and its status);
  // a server out of reach, or an answer that is not JSON, with words of the page's.
  async function call(path, options = {}) {
    let response;
    try {
      response = await fetch(kApi + path, options);
    } catch (error) {
      throw new Error("the record server could not be reached (" + error.message + ")");
    }
    if (response.ok && options.bytes) return new Uint8Array(await response.arrayBuffer());
    let body = null;
    try {
      body = await response.json();
    } catch (ignored) {
      // Not JSON: what the status says is all there is.
    }
    if (!response.ok || body === null) {
      let why = body && typeof body.error === "string" ? body.error
        : "the record server answered " + response.status;
      const wait = response.headers.get("Retry-After");
      if ((response.status === 429 || response.status === 503) && wait) why += " (try again in " + wait + " s)";
      const error = new Error(why);
      error.status = response.status;
      throw error;
    }
    return body;
  }

  // The best runs on the course with `checksum`, best first: [{rank, name, total, run, ...}], or
  // null when the server does not have the course.
  async function runs(checksum, limit) {
    try {
      return await call("courses/" + checksum + "/runs?limit=" + limit);
    } catch (error) {
      if (error.status === 404) return null;
      throw error;
    }
  }

  const replay = (run) => call("runs/" + encodeURIComponent(run) + "/replay", { bytes: true });

  // Shares a course file: {course, name}.
  const shareCourse = (name, bytes) =>
    call("courses", { method: "POST", headers: fileNameHeader(name), body: bytes });

  // Submits a finished race's replay under the player's name: {run, rank, total, laps, place}.
  const submitRun = (name, token, fileName, bytes) => call("runs", {
    method: "POST",
    headers: Object.assign({ "X-Player-Name": headerBytes(name), "X-Player-Token": token },
                           fileNameHeader(fileName)),
    body: bytes,
  });

  // ---- The player ------------------------------------------------------------------------------
  function savedName() {
    try {
      return localStorage.getItem(kNameKey) || "";
    } catch (ignored) {
      return "";
    }
  }
  function saveName(name) {
    try {
      localStorage.setItem(kNameKey, name);
    } catch (ignored) {
      // A browser that keeps nothing asks for the name again next visit.
    }
  }

  function settle(request) {
    return new Promise((resolve, reject) => {
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });
  }

  function openPlayer() {
    const request = indexedDB.open(kDatabase, 1);
    request.onupgradeneeded = () => request.result.createObjectStore(kPlayer);
    return settle(request);
  }

  const isToken = (value) => typeof value === "string" && /^[0-9a-f]{32}$/.test(value);

  function newToken() {
    const bits = crypto.getRandomValues(new Uint8Array(16));
    return Array.from(bits, (byte) => byte.toString(16).padStart(2, "0")).join("");
  }

  // The player's token: the one the browser keeps, else a new one, kept before it is given, so
  // that a name is never taken with a token the player loses. Two pages making one at once agree
  // on the first kept. Rejects when the browser will not keep it.
  async function playerToken() {
    const db = await openPlayer();
    try {
      return await new Promise((resolve, reject) => {
        const transaction = db.transaction(kPlayer, "readwrite");
        const store = transaction.objectStore(kPlayer);
        let token = null;
        const read = store.get(kTokenKey);
        read.onsuccess = () => {
          token = isToken(read.result) ? read.result : newToken();
          if (token !== read.result) store.put(token, kTokenKey);
        };
        transaction.oncomplete = () => resolve(token);
        transaction.onabort = () => reject(transaction.error || new Error("the browser gave up storing"));
      });
    } finally {
      db.close();
    }
  }

  return { runs, replay, shareCourse, submitRun, savedName, saveName, playerToken };
})();
