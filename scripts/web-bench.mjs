// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The browser edition beside its floor, a page built the same way around a Qt program
// with one 520 x 428 QWidget and one QLineEdit (bench/qtfloor.cpp):
//  - what the page downloads on a first visit, raw, gzipped (-9) and brotli'd (-q 11);
//  - the time from navigation to the window's first paint in headless Chromium, each
//    run a fresh browser without caches, the two pages alternating; medians.
// Prints a markdown table. Usage: node --experimental-websocket scripts/web-bench.mjs
// <program dist> <floor dist> [runs]
import { readFileSync, statSync } from "node:fs";
import { join } from "node:path";
import { brotliCompressSync, constants, gzipSync } from "node:zlib";
import { Browser, freePort, startServer, stopServer } from "./web-cdp.mjs";

const [programDist, floorDist, runsText = "9"] = process.argv.slice(2);
const runs = Number(runsText);

// One first visit: the files fetched, and when the window was first painted (the
// program prints a line then, given QUADRELON_EXIT_AFTER_FIRST_PAINT through the page).
async function visit(url) {
  const browser = await Browser.launch();
  try {
    await browser.openPage(1280, 800);
    await browser.send("Network.enable");
    await browser.send("Network.setCacheDisabled", { cacheDisabled: true });
    const fetched = new Set();
    browser.on("Network.requestWillBeSent", ({ request }) => fetched.add(new URL(request.url).pathname));
    const painted = new Promise((resolve) => browser.on("Runtime.consoleAPICalled", ({ args, timestamp }) => {
      if (args.some((arg) => String(arg.value).startsWith("first-paint")))
        resolve(timestamp);
    }));
    await browser.send("Page.navigate", { url: `${url}?first-paint` });
    const at = await Promise.race([painted, new Promise((resolve) => setTimeout(() => resolve(null), 120000))]);
    const origin = await browser.evaluate("performance.timeOrigin");
    return { ms: at === null ? NaN : at - origin, fetched: [...fetched] };
  } finally {
    await browser.close();
  }
}

function sizes(dist, paths) {
  const total = { raw: 0, gzip: 0, brotli: 0 };
  for (const path of paths) {
    const file = join(dist, path === "/" ? "index.html" : path.slice(1));
    try {
      if (!statSync(file).isFile())
        continue;
    } catch {
      continue;
    }
    const data = readFileSync(file);
    total.raw += data.length;
    total.gzip += gzipSync(data, { level: 9 }).length;
    total.brotli += brotliCompressSync(data, { params: { [constants.BROTLI_PARAM_QUALITY]: 11 } }).length;
  }
  return total;
}

const median = (values) => {
  const sorted = values.filter((v) => !Number.isNaN(v)).sort((a, b) => a - b);
  return sorted.length ? sorted[Math.floor(sorted.length / 2)] : NaN;
};

const pages = { program: { dist: programDist, times: [] }, floor: { dist: floorDist, times: [] } };
for (const page of Object.values(pages)) {
  page.port = await freePort();
  page.server = await startServer(page.dist, page.port);
}
try {
  for (let run = 0; run < runs; ++run) {
    for (const name of run % 2 ? ["floor", "program"] : ["program", "floor"]) {
      const page = pages[name];
      const { ms, fetched } = await visit(`http://127.0.0.1:${page.port}/`);
      page.times.push(ms);
      page.fetched ??= fetched;
      process.stderr.write(`${name}: ${ms.toFixed(0)} ms\n`);
    }
  }
} finally {
  for (const page of Object.values(pages))
    stopServer(page.server);
}

const mb = (bytes) => (bytes / 1e6).toFixed(2) + " MB";
const ratio = (a, b) => (a / b).toFixed(2) + " ×";
const program = pages.program, floor = pages.floor;
const ps = sizes(program.dist, program.fetched), fs = sizes(floor.dist, floor.fetched);
const pm = median(program.times), fm = median(floor.times);
console.log("| What the page costs | Quadrelon | Floor | Ratio | Goal |");
console.log("|---|---|---|---|---|");
console.log(`| download, raw | ${mb(ps.raw)} | ${mb(fs.raw)} | ${ratio(ps.raw, fs.raw)} | |`);
console.log(`| download, gzip -9 | ${mb(ps.gzip)} | ${mb(fs.gzip)} | ${ratio(ps.gzip, fs.gzip)} | ≤ 1.5 × |`);
console.log(`| download, brotli -q 11 | ${mb(ps.brotli)} | ${mb(fs.brotli)} | ${ratio(ps.brotli, fs.brotli)} | ≤ 1.5 × |`);
console.log(`| first paint, median of ${runs} | ${pm.toFixed(0)} ms | ${fm.toFixed(0)} ms | ${ratio(pm, fm)} | ≤ 1.3 × |`);
console.log(`\nFiles the page fetched: ${program.fetched.join(" ")}`);
