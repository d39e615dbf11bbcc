// The runner under node sees the shell's environment, as a native program does: its player
// folder comes from HOME and XDG_DATA_HOME.
Module["preRun"] = (Module["preRun"] || []).concat(() => Object.assign(ENV, process.env));
