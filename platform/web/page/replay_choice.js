// The choice a dropped replay offers: watch it, or race against the boat that drove it. Each
// replay has a row of its own, named by its file, with real buttons the keyboard reaches (Tab,
// then Enter or Space, which the game never takes); a choice takes its row away, and the panel
// goes once no row is left.
"use strict";

/* exported TideWakeReplayChoice */

const TideWakeReplayChoice = (() => {
  const panel = document.getElementById("replay-choice");
  // The rows on offer by file name: the same name dropped again is offered once, with its new
  // bytes.
  const rows = new Map();

  function withdraw(name) {
    const row = rows.get(name);
    if (!row) return;
    row.remove();
    rows.delete(name);
    panel.hidden = rows.size === 0;
  }

  function button(text, title, onClick) {
    const element = document.createElement("button");
    element.type = "button";
    element.textContent = text;
    element.title = title;
    element.addEventListener("click", onClick);
    return element;
  }

  // Offers the replay `name`; `choose("watch")` or `choose("race")` is called with the player's
  // choice. The first button takes the focus, so that the keyboard can choose at once.
  function offer(name, choose) {
    withdraw(name);
    const row = document.createElement("div");
    row.className = "choice";
    row.setAttribute("role", "group");
    row.setAttribute("aria-label", "The dropped replay " + name);
    const label = document.createElement("span");
    label.textContent = name;
    const chosen = (choice) => () => {
      withdraw(name);
      choose(choice);
    };
    const watch = button("Watch", "Play the replay of " + name, chosen("watch"));
    row.append(label, watch,
               button("Race against it", "Race against the boat of " + name + " on its course",
                      chosen("race")),
               button("Not now", "Put " + name + " away", () => withdraw(name)));
    panel.append(row);
    rows.set(name, row);
    panel.hidden = false;
    watch.focus({ preventScroll: true });
  }

  return { offer };
})();
