// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The browser edition beside its floor, a page built the same way around a Qt program
// with one 520 x 428 QWidget and one QLineEdit (bench/qtfloor.cpp), each served by
// Debian's nginx with the sample site (packaging/web/nginx.conf):
//  - what a first visit costs on the wire, counted by the server: every byte it sent
//    until the page's service worker holds its offline copy, compressed as Chromium asks;
//    beside it the files raw, and with their gzip copies, for a browser without brotli;
//  - the time from navigation to the window's first paint in headless Chromium, each
//    run a fresh browser without caches, the two pages alternating; medians.
// Prints a markdown table. Usage: node --experimental-websocket scripts/web-bench.mjs
// <program dist> <floor dist> [runs]
import { existsSync, statSync } from "node:fs";
import { join } from "node:path";
import { Browser, freePort } from "./web-cdp.mjs";
import { sentSince, startNginx, stopNginx } from "./web-nginx.mjs";

const [programDist, floorDist, runsText = "9"] = process.argv.slice(2);
const runs = Number(runsText);

// One first visit: the files fetched, when the window was first painted (the program
// prints a line then, given QUADRELON_EXIT_AFTER_FIRST_PAINT through the page), and
// what the server sent until the service worker took over.
async function visit(server) {
  sentSince(server);
  const browser = await Browser.launch();
  try {
    await browser.openPage(1280, 800);
    await browser.send("Network.enable");
    const fetched = new Set();
    browser.on("Network.requestWillBeSent", ({ request }) => fetched.add(new URL(request.url).pathname));
    const painted = new Promise((resolve) => browser.on("Runtime.consoleAPICalled", ({ args, timestamp }) => {
      if (args.some((arg) => String(arg.value).startsWith("first-paint")))
        resolve(timestamp);
    }));
    await browser.send("Page.navigate", { url: `${server.url}?first-paint` });
    const at = await Promise.race([painted, new Promise((resolve) => setTimeout(() => resolve(null), 120000))]);
    const origin = await browser.evaluate("performance.timeOrigin");
    await browser.evaluate(`(async () => {
      // A page that never starts never registers its worker.
      await Promise.race([navigator.serviceWorker.ready, new Promise((resolve) => setTimeout(resolve, 60000))]);
      for (let i = 0; i < 300 && !navigator.serviceWorker.controller; ++i)
        await new Promise((resolve) => setTimeout(resolve, 100));
    })()`);
    return { ms: at === null ? NaN : at - origin, fetched: [...fetched], sent: sentSince(server) };
  } finally {
    await browser.close();
  }
}

// The files the page fetched, raw and as a browser that takes gzip only gets them.
function sizes(dist, paths) {
  const total = { raw: 0, gzip: 0 };
  for (const path of paths) {
    const file = join(dist, path === "/" ? "index.html" : path.slice(1));
    if (!existsSync(file) || !statSync(file).isFile())
      continue;
    total.raw += statSync(file).size;
    total.gzip += statSync(existsSync(`${file}.gz`) ? `${file}.gz` : file).size;
  }
  return total;
}

const median = (values) => {
  const sorted = values.filter((v) => !Number.isNaN(v)).sort((a, b) => a - b);
  return sorted.length ? sorted[Math.floor(sorted.length / 2)] : NaN;
};

const pages = { program: { dist: programDist, times: [], wire: [] }, floor: { dist: floorDist, times: [], wire: [] } };
for (const page of Object.values(pages))
  page.server = await startNginx(page.dist, await freePort());
try {
  for (let run = 0; run < runs; ++run) {
    for (const name of run % 2 ? ["floor", "program"] : ["program", "floor"]) {
      const page = pages[name];
      const { ms, fetched, sent } = await visit(page.server);
      page.times.push(ms);
      page.wire.push(sent.total);
      page.fetched ??= fetched;
      page.encoding ??= sent.encodings["/quadrelon.wasm"];
      page.byPath ??= sent.byPath;
      process.stderr.write(`${name}: ${ms.toFixed(0)} ms, ${sent.total} bytes sent\n`);
    }
  }
} finally {
  for (const page of Object.values(pages))
    stopNginx(page.server);
}

const mb = (bytes) => (bytes / 1e6).toFixed(2) + " MB";
const ratio = (a, b) => (a / b).toFixed(2) + " ×";
const program = pages.program, floor = pages.floor;
const ps = sizes(program.dist, program.fetched), fs = sizes(floor.dist, floor.fetched);
const pw = median(program.wire), fw = median(floor.wire);
const pm = median(program.times), fm = median(floor.times);
console.log("| What the page costs | Quadrelon | Floor | Ratio | Goal |");
console.log("|---|---|---|---|---|");
console.log(`| first visit on the wire, nginx (.wasm: ${program.encoding}) | ${mb(pw)} | ${mb(fw)} | ${ratio(pw, fw)} | ≤ 1.5 × |`);
console.log(`| files, raw | ${mb(ps.raw)} | ${mb(fs.raw)} | ${ratio(ps.raw, fs.raw)} | |`);
console.log(`| files, gzip copies | ${mb(ps.gzip)} | ${mb(fs.gzip)} | ${ratio(ps.gzip, fs.gzip)} | ≤ 1.5 × |`);
console.log(`| first paint, median of ${runs} | ${pm.toFixed(0)} ms | ${fm.toFixed(0)} ms | ${ratio(pm, fm)} | ≤ 1.3 × |`);
console.log(`\nFiles the page fetched: ${program.fetched.join(" ")}`);
console.log(`Bytes the server sent on the program's first visit, by path: ${JSON.stringify(program.byPath)}`);
