// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs a Qt test built for WebAssembly under Node and exits with its status; the
// test's arguments follow the file. Emscripten gives the program LANG=C.UTF-8 where
// Node has no navigator (Node 20), the locale CTest gives the desktop suites.
// Usage: node scripts/web-node-test.cjs build/web/tests/tst_solver.js [args]
"use strict";
const path = require("path");

// Emscripten 3.1.6 fetches the .wasm whenever fetch exists, and Node 20's fetch takes
// no file paths; without it the file is read from disk.
delete globalThis.fetch;

const [file, ...args] = process.argv.slice(2);
const createModule = require(path.resolve(file));
createModule({ arguments: args });
