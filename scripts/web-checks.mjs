// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Checks the page of the browser edition in Debian's Chromium, headless; run by
// scripts/web.sh test. The page comes from Debian's nginx with the sample site
// (packaging/web/nginx.conf), in a Bulgarian browser:
//  - the server sends the .wasm as application/wasm, compressed as the browser asks;
//  - the window appears, its title ending with "…" in the title bar Qt draws;
//    "Вариант 10" with P = 14 (typed 15, Backspace, 4) and S = 12 and Enter shows
//    3,00 4,00 5,00 (read back from the screen with tesseract), and F4 ("Копирай реда")
//    puts the row on the browser's clipboard;
//  - impossible input brings the warning box; Enter closes it and the keys type over
//    the cell again (desktop), "Добре" closes it (phone), and the program
//    calculates again;
//  - F2 opens "Решение";
//  - on a phone-sized screen (390 x 844, an Android phone's), the page is zoomed out to
//    show the whole window, and the same is done with taps and the on-screen keyboard;
//    a finger held on a cell brings its menu, and "Покажи решението" there "Решение",
//    upright there: the working above the drawing, and "Затвори" on the screen closes
//    it; then two fingers zoom in and pan, and taps and typing still reach the cells;
//  - with real keys (xdotool) in a Chromium on a virtual X display, where Xvfb and
//    xdotool are installed: F4 and F2 reach the program, while Ctrl+R still reloads the
//    page and Ctrl+Shift+C opens the inspector;
//  - once loaded, the page starts again with the server stopped;
//  - a returning browser gets a new build of the folder on its next visits, even from a
//    server that lets it keep the program for a year.
// The pictures go to <work dir>; the screenshots for the README to <work dir>/screenshots
// (`scripts/web.sh screenshots` copies them to docs/). Usage: node
// --experimental-websocket scripts/web-checks.mjs <dist dir> <work dir>
import { execFileSync, spawn } from "node:child_process";
import { createHash } from "node:crypto";
import { cpSync, mkdirSync, readFileSync, rmSync, statSync, writeFileSync } from "node:fs";
import { join } from "node:path";
import { brotliCompressSync, constants, gzipSync } from "node:zlib";
import { Browser, freePort, sleep } from "./web-cdp.mjs";
import { get, startNginx, stopNginx } from "./web-nginx.mjs";

const [dist, work] = process.argv.slice(2);
const shots = join(work, "screenshots");
mkdirSync(shots, { recursive: true });
let failures = 0;
function check(what, ok, detail) {
  console.log(`${ok ? "ok" : "FAILED"}: ${what}${detail === undefined ? "" : ` (saw: ${detail})`}`);
  if (!ok)
    failures++;
}

// The window's geometry in its own pixels, from the layout table (twips).
const layoutSource = readFileSync("src/form/layout.cpp", "utf8");
const twips = (name) => Number(layoutSource.match(new RegExp(`constexpr int ${name} = (\\d+);`))[1]);
const [frameTop] = layoutSource.match(/"Frame1", -1, Kind::Frame, \d+, (\d+)/).slice(1).map(Number);
const [optionLeft, optionTop] = layoutSource.match(/"Option1", r, Kind::OptionButton, (\d+), (\d+)/).slice(1).map(Number);
const [calculateLeft, calculateTop, clearLeft, clearTop] = [0, 1].flatMap((i) =>
  layoutSource.match(new RegExp(`"Command1", ${i}, Kind::CommandButton, (\\d+), (\\d+)`)).slice(1).map(Number));
const px = (t) => Math.round(t / 15);
const cellX = (column) => px(twips("kGridLeft") + twips("kColumnSpacing") * column);
const rowY = (row) => px(twips("kGridTop") + twips("kRowSpacing") * row);
const cellWidth = px(twips("kCellWidth")), cellHeight = px(twips("kCellHeight"));
const [clientWidth, clientHeight] = [520, 428];

const magick = (...args) => execFileSync("convert", args, { encoding: "utf8" });

// Where the window's inside lies on the page: Qt draws a frame around it on the
// background, so the window is what trimming the background leaves, less the frame.
// The frame's sides are measured once, at the desktop's size; Qt draws it in its own
// pixels, which a zoomed-out page shrinks like the rest. On a zoomed-out page only the
// title bar's strip is trimmed, since headless Chromium leaves a stretched copy of the
// first picture below the window there.
let frameSides = null;
function windowOnPage(shot, scale, width) {
  const trim = (...crop) => magick(shot, ...crop, "-fuzz", "2%", "-trim", "-format", "%w %h %X %Y", "info:").trim()
    .split(" ").map((v) => Number(v.replace("+", "")));
  const [w, , x, y] = trim("-crop", `100000x${Math.round(8 * scale)}+0+0`, "+repage");
  if (scale === 1) {
    // Below the window's columns only: the page's link to "Упражнение" stands at its
    // bottom right.
    const [fw, fh] = trim("-crop", `${x + w}x100000+0+0`, "+repage");
    const side = (fw - clientWidth) / 2;
    frameSides = { side, top: fh - side - clientHeight };
  }
  const frame = { w, h: Math.round((clientHeight + frameSides.top + frameSides.side) * scale), x, y };
  return { left: x + frameSides.side * scale, top: y + frameSides.top * scale, scale, frame, width };
}

// The text of a result cell of row 10 as the screen shows it: the commonest of three
// readings, as tesseract takes a comma for a point now and then.
function readCell(shot, win, column) {
  // From the screen's own pixels (a phone has three to the CSS pixel), brought to the
  // window's own size.
  const full = `${shot}.full.png`;
  const s = win.scale * Number(magick(full, "-format", "%w", "info:")) / win.width;
  const ratio = s / win.scale;
  const crop = `${Math.round((cellWidth - 6) * s)}x${Math.round((cellHeight - 6) * s)}+` +
    `${Math.round(win.left * ratio + (cellX(column) + 3) * s)}+${Math.round(win.top * ratio + (rowY(9) + 3) * s)}`;
  const cell = join(work, `cell${column}.png`), ocr = join(work, "ocr.png");
  magick(full, "-crop", crop, "+repage", "-colorspace", "gray", "-normalize", "-resize", `${100 / s}%`, cell);
  const readings = {};
  for (const [mode, ...options] of [["8", "-resize", "300%"], ["13", "-resize", "800%", "-blur", "0x2"], ["7", "-resize", "400%"]]) {
    magick(cell, ...options, "-bordercolor", "white", "-border", "10", ocr);
    const text = execFileSync("tesseract", [ocr, "-", "--psm", mode, "-c", "tessedit_char_whitelist=0123456789.,-"],
      { encoding: "utf8", stdio: ["ignore", "pipe", "ignore"] }).replace(/\s/g, "");
    readings[text] = (readings[text] ?? 0) + 1;
  }
  return Object.entries(readings).sort((a, b) => b[1] - a[1])[0][0];
}

// A screenshot in CSS pixels: a phone's three device pixels each are scaled down. The
// full-sized one is kept beside it for reading words.
async function snap(browser, file, width, height) {
  writeFileSync(file, await browser.screenshot());
  writeFileSync(`${file}.full.png`, readFileSync(file));
  magick(file, "-resize", `${width}x${height}!`, file);
}

const ocr = (file, ...more) => execFileSync("tesseract", [file, "-", "-l", "bul+eng", "--psm", "3", ...more],
  { encoding: "utf8", stdio: ["ignore", "pipe", "ignore"] });

// Where a word matching the pattern is on a screenshot (its middle, in CSS pixels),
// or null. Tesseract misses a word at one size now and then, so both sizes are read.
function findWord(shot, pattern, width) {
  for (const image of [shot, `${shot}.full.png`]) {
    const ratio = Number(magick(image, "-format", "%w", "info:")) / width;
    for (const line of ocr(image, "tsv").split("\n").slice(1)) {
      const cells = line.split("\t");
      if (cells.length === 12 && pattern.test(cells[11])) {
        const [left, top, w, h] = cells.slice(6, 10).map(Number);
        return [(left + w / 2) / ratio, (top + h / 2) / ratio];
      }
    }
  }
  return null;
}

async function waitForWindow(browser, shot, scale, width = 1280, height = 800) {
  let tries = 10; // pictures, once the page has started
  for (let i = 0; i < 600 && tries > 0; ++i) {
    if (await browser.evaluate("document.getElementById('status').style.display === 'none'")) {
      await sleep(1500); // the first frames
      await snap(browser, shot, width, height);
      const win = windowOnPage(shot, scale, width);
      if (win.frame.w > clientWidth * scale)
        return win;
      --tries;
    }
    await sleep(100);
  }
  return null;
}

async function session(url, { width, height, mobile, name }) {
  const browser = await Browser.launch(["--lang=bg", "--accept-lang=bg-BG,bg"]);
  try {
    await browser.openPage(width, height, mobile);
    await browser.send("Browser.grantPermissions",
      { origin: new URL(url).origin, permissions: ["clipboardReadWrite", "clipboardSanitizedWrite"] }, null);
    await browser.navigate(url);
    // How far the page is zoomed out: the screen's pixels per pixel of the page, of
    // which the program has its own.
    const scale = await browser.evaluate("visualViewport.scale");
    check(`${name}: the page is zoomed out just enough to show the window`,
      Math.abs(scale - Math.min(1, width / 540, height / 480)) < 0.01, scale);
    const shot = join(work, `${name}.png`);
    const win = await waitForWindow(browser, shot, scale, width, height);
    check(`${name}: the window appears`, win !== null);
    if (!win)
      return;
    check(`${name}: the window fits the screen`, win.frame.x >= 0 && win.frame.x + win.frame.w <= width
      && win.frame.y + win.frame.h <= height, JSON.stringify(win.frame));
    if (!mobile) {
      // The title bar's text, three times as large for tesseract: "…" at its end, as a
      // desktop's window manager writes a title too long for its bar.
      const bar = join(work, `${name}-title.png`);
      magick(shot, "-crop", `${win.frame.w - 20}x${Math.round(frameSides.top - frameSides.side)}+${win.frame.x}+${win.frame.y + frameSides.side / 2}`,
        "+repage", "-resize", "300%", "-colorspace", "gray", "-negate", "-normalize", bar);
      const title = ocr(bar, "--psm", "7").trim();
      check(`${name}: the title bar ends the title with "…"`, /(…|\.\.\.?)$/.test(title) && !/стра$/.test(title), title);
    }
    // The mouse on the desktop, a finger on the phone; both at the page's pixels.
    const press = (x, y, holdMs = 0) => mobile ? browser.tap(x / scale, y / scale, holdMs) : browser.click(x, y);
    const pressAt = (x, y, holdMs) => press(win.left + x * scale, win.top + y * scale, holdMs);
    const option10 = () => pressAt(px(optionLeft) + 10, px(frameTop + optionTop + twips("kRowSpacing") * 9) + 13);
    const button = ([left, top]) => pressAt(px(left) + 20, px(top) + 12);
    const typeText = (text) => mobile ? browser.insertText(text) : browser.type(text);
    const enter = async (column, text) => {
      await pressAt(cellX(column) + 30, rowY(9) + 13);
      if (!mobile)
        await browser.key("a", { code: "KeyA", keyCode: 65, modifiers: 2 });
      await typeText(text);
    };
    const results = async () => {
      await sleep(700);
      await snap(browser, shot, width, height);
      return [0, 1, 2].map((column) => readCell(shot, win, column)).join(" ");
    };

    await option10();
    await enter(3, "15"); // a slip, put right
    await browser.key("Backspace", { keyCode: 8 });
    await typeText("4");
    await enter(4, "12");
    await browser.key("Enter", { keyCode: 13, text: "\r" });
    let shown = await results();
    check(`${name}: P = 15, Backspace, 4, S = 12 in "Вариант 10" and Enter shows 3,00 4,00 5,00`,
      shown === "3,00 4,00 5,00", shown);

    if (!mobile) {
      await browser.key("F4", { keyCode: 115 });
      await sleep(300);
      const copied = await browser.evaluate("navigator.clipboard.readText()").catch((e) => String(e));
      check(`${name}: F4 ("Копирай реда") puts the row on the clipboard`, /3,00\t4,00\t5,00\t14,00\t12,00/.test(copied),
        JSON.stringify(copied));
    }
    writeFileSync(join(shots, `web-screenshot${mobile ? "-phone" : ""}.png`), readFileSync(shot));

    // Impossible values: the pupil clears the row and types them, and "Изчисли".
    await button([clearLeft, clearTop]);
    await enter(3, "8");
    await enter(4, "4,5");
    // On the desktop by Enter in the cell, so that the keys come back to it below.
    if (mobile)
      await button([calculateLeft, calculateTop]);
    else
      await browser.key("Enter", { keyCode: 13, text: "\r" });
    await sleep(700);
    const boxShot = join(work, `${name}-error.png`);
    await snap(browser, boxShot, width, height);
    const box = ocr(boxShot);
    // Values without a rectangle are explained in a box titled "Няма правоъгълник".
    check(`${name}: impossible input brings the warning box`, /Няма/.test(box) && /Добре/.test(box),
      box.split("\n").find((l) => /Няма/.test(l)));
    if (mobile)
      writeFileSync(join(shots, "web-screenshot-phone-warning.png"), readFileSync(boxShot));
    if (mobile) {
      const ok = findWord(boxShot, /Добре/, width);
      if (ok)
        await press(...ok);
    } else {
      // Enter closes the box and the keys go straight back to the cell, its number
      // selected: typed over, P = 8 and S = 3 are the sides 1 and 3 (d = √10).
      await browser.key("Enter", { keyCode: 13, text: "\r" });
      await sleep(500);
      await typeText("3");
      await browser.key("Enter", { keyCode: 13, text: "\r" });
      shown = await results();
      check(`${name}: Enter closes the box, and the next keys type over the cell it was about`,
        shown === "1,00 3,00 3,16", shown);
    }
    await button([clearLeft, clearTop]);
    await enter(3, "14");
    await enter(4, "12");
    await button([calculateLeft, calculateTop]);
    shown = await results();
    check(`${name}: "Добре" closes the box, and the program calculates again`, shown === "3,00 4,00 5,00", shown);

    // "Решение": F2 on the desktop; on the phone, a finger held on a cell, then the
    // menu's item.
    if (mobile) {
      await pressAt(cellX(4) + 30, rowY(9) + 13, 1200);
      await sleep(500);
      const menuShot = join(work, `${name}-menu.png`);
      await snap(browser, menuShot, width, height);
      const item = findWord(menuShot, /решението/, width);
      check(`${name}: a finger held on a cell brings its menu`, item !== null);
      if (item)
        await press(...item);
    } else {
      await browser.key("F2", { keyCode: 113 });
    }
    await sleep(1000);
    const solutionShot = join(work, `${name}-solution.png`);
    await snap(browser, solutionShot, width, height);
    writeFileSync(join(shots, `web-screenshot${mobile ? "-phone" : ""}-solution.png`), readFileSync(solutionShot));
    const title = ocr(solutionShot) + ocr(`${solutionShot}.full.png`);
    // Full-page in the browser, without a title bar: its first lines tell it.
    check(`${name}: ${mobile ? "its item" : "F2"} opens "Решение"`, /Дадено/.test(title),
      title.split("\n").find((l) => /Дадено/.test(l)));
    if (mobile) {
      await uprightSolution(browser, solutionShot, width, height);
      await zoomedIn(browser, win, shot, width, height);
    }
  } finally {
    await browser.close();
  }
}

// What the server sends for the program: its type, and the compressed copy the browser
// asks for, byte for byte the one the build made; the page and the service worker
// are asked about again on each visit.
async function served(url) {
  const size = (file) => statSync(join(dist, file)).size;
  for (const [accepts, encoding, file] of [["gzip, deflate, br", "br", "quadrelon.wasm.br"],
    ["gzip, deflate", "gzip", "quadrelon.wasm.gz"], ["", undefined, "quadrelon.wasm"]]) {
    const { status, headers, bytes } = await get(`${url}quadrelon.wasm`, accepts ? { "accept-encoding": accepts } : {});
    check(`the server sends quadrelon.wasm as application/wasm, ${encoding ?? "uncompressed"}, to a browser that accepts "${accepts}"`,
      status === 200 && headers["content-type"] === "application/wasm" && headers["content-encoding"] === encoding
        && /Accept-Encoding/.test(headers.vary) && bytes === size(file),
      `${status} ${headers["content-type"]} ${headers["content-encoding"]} vary ${headers.vary} ${bytes} bytes`);
  }
  for (const file of ["", "sw.js", "quadrelon.js"]) {
    const { headers } = await get(`${url}${file}`, { "accept-encoding": "gzip, deflate, br" });
    check(`the browser asks again for /${file} each time`, headers["cache-control"] === "no-cache", headers["cache-control"]);
  }
}

// "Решение" on a phone held upright: the working across the page above the drawing
// (whose fill is the only lavender there), and "Затвори" on the screen, which closes it.
async function uprightSolution(browser, shot, width, height) {
  const answer = findWord(shot, /Отговор/, width);
  const [w, h, x, y] = magick(shot, "-fill", "black", "-fuzz", "3%", "+opaque", "#e6e6fa", "-trim",
    "-format", "%w %h %X %Y", "info:").trim().split(" ").map((v) => Number(v.replace("+", "")));
  check("phone: upright, \"Решение\" has the working above the drawing",
    answer !== null && y > answer[1] && Math.abs(x + w / 2 - width / 2) < width / 8,
    JSON.stringify({ answer, drawing: { x, y, w, h } }));
  const close = findWord(shot, /Затвори/, width);
  check("phone: \"Затвори\" is on the screen", close !== null && close[1] < height, JSON.stringify(close));
  if (!close)
    return;
  const scale = await browser.evaluate("visualViewport.scale");
  await browser.tap(close[0] / scale, close[1] / scale);
  await sleep(700);
  const after = join(work, "phone-closed.png");
  await snap(browser, after, width, height);
  check("phone: \"Затвори\" closes \"Решение\"", !/Дадено/.test(ocr(after)));
}

// Two fingers zoom the phone's page in and pan it to the cells of P and S; then taps
// and the on-screen keyboard's typing still land in the cells aimed at, and the zoomed
// page stays put while the pupil types.
async function zoomedIn(browser, win, shot, width, height) {
  const viewport = () => browser.evaluate("({ s: visualViewport.scale, x: visualViewport.offsetLeft, y: visualViewport.offsetTop })");
  const start = await viewport();
  // The window's inside in the page's own pixels, which a zoom leaves where they are.
  const left = win.left / start.s, top = win.top / start.s;
  // Empties the row first, at the zoomed-out size; the first finger lands on a result cell.
  await browser.tap(left + px(clearLeft) + 20, top + px(clearTop) + 12);
  const first = [left + cellX(0) + 30, top + rowY(9) + 13];
  await browser.pinch(first[0], first[1] + 150, 1.3);
  const zoomed = await viewport();
  check("phone: two fingers zoom the page in", zoomed.s > start.s * 1.25, JSON.stringify(zoomed));
  // The fingers move the page with them: P's cell 20 pixels from the left, row 10 a
  // third of the way down.
  const want = { x: left + cellX(3) - 20, y: top + rowY(9) - height / zoomed.s / 3 };
  await browser.pan(width / zoomed.s / 2, height / zoomed.s / 2, zoomed.x - want.x, zoomed.y - want.y);
  const panned = await viewport();
  const inView = (column) => panned.x < left + cellX(column) && panned.x + width / panned.s > left + cellX(column) + cellWidth
    && panned.y < top + rowY(9) && panned.y + height / panned.s > top + rowY(9) + cellHeight;
  check("phone: two fingers pan the zoomed page, bringing P's and S's cells into view",
    Math.hypot(panned.x - zoomed.x, panned.y - zoomed.y) > 30 && inView(3) && inView(4),
    JSON.stringify({ zoomed, panned, want }));
  const tapCell = (column) => browser.tap(left + cellX(column) + 30 - panned.x, top + rowY(9) + 13 - panned.y);
  await tapCell(3);
  await browser.insertText("14");
  await tapCell(4);
  await browser.insertText("12");
  await browser.key("Enter", { keyCode: 13, text: "\r" });
  await sleep(700);
  const last = await viewport();
  check("phone: the zoomed page stays put while the pupil taps and types", JSON.stringify(last) === JSON.stringify(panned),
    JSON.stringify(last));
  // Headless Chromium does not show a zoomed canvas as it is (black, or an old picture),
  // so the row is read from the clipboard, where F4 ("Копирай реда") puts it.
  await browser.key("F4", { keyCode: 115 });
  await sleep(300);
  const copied = await browser.evaluate("navigator.clipboard.readText()").catch((e) => String(e));
  check("phone: zoomed in, taps and typing put P = 14 and S = 12 in row 10, and Enter calculates",
    /3,00\t4,00\t5,00\t14,00\t12,00/.test(copied), JSON.stringify(copied));
}

// Real keys, which DevTools' own key events cannot stand for: they pass the browser's
// shortcuts by. A Chromium with a window on a virtual X display, and xdotool typing on
// it: F4 and F2 reach the program, and the browser still answers Ctrl+R and
// Ctrl+Shift+C. Skipped where Xvfb or xdotool is not installed.
async function realKeys(url) {
  const have = (tool) => { try { execFileSync("which", [tool], { stdio: "ignore" }); return true; } catch { return false; } };
  if (!have("Xvfb") || !have("xdotool")) {
    console.log("skipped: real keys (needs the packages xvfb and xdotool)");
    return;
  }
  const xvfb = spawn("Xvfb", ["-displayfd", "3", "-screen", "0", "1280x900x24", "-nolisten", "tcp"],
    { stdio: ["ignore", "ignore", "ignore", "pipe"] });
  const display = `:${(await new Promise((resolve) => xvfb.stdio[3].once("data", resolve))).toString().trim()}`;
  const xdotool = (...args) => execFileSync("xdotool", args, { env: { ...process.env, DISPLAY: display } });
  const browser = await Browser.launch(["--lang=bg", "--accept-lang=bg-BG,bg"], { display });
  try {
    await browser.openPage(1280, 800);
    // The window's own size, so that xdotool's points are the page's.
    await browser.send("Emulation.clearDeviceMetricsOverride");
    await browser.send("Browser.grantPermissions",
      { origin: new URL(url).origin, permissions: ["clipboardReadWrite", "clipboardSanitizedWrite"] }, null);
    await browser.navigate(url);
    const [width, height] = await browser.evaluate("[innerWidth, innerHeight]");
    const shot = join(work, "keys.png");
    const win = await waitForWindow(browser, shot, 1, width, height);
    check("real keys: the window appears", win !== null);
    if (!win)
      return;
    // Where the page begins on the X screen: below the browser's own bars.
    const pageTop = await browser.evaluate("outerHeight - innerHeight");
    const click = (x, y) => xdotool("mousemove", String(Math.round(win.left + x)), String(Math.round(pageTop + win.top + y)),
      "click", "1");
    click(cellX(3) + 30, rowY(9) + 13);
    xdotool("type", "--delay", "60", "14");
    click(cellX(4) + 30, rowY(9) + 13);
    xdotool("type", "--delay", "60", "12");
    xdotool("key", "Return");
    await sleep(700);
    await browser.evaluate("navigator.clipboard.writeText('')");
    xdotool("key", "F4");
    await sleep(500);
    const copied = await browser.evaluate("navigator.clipboard.readText()").catch((e) => String(e));
    check("real keys: F4 copies the row", /3,00\t4,00\t5,00\t14,00\t12,00/.test(copied), JSON.stringify(copied));
    xdotool("key", "F2");
    await sleep(1000);
    const solution = join(work, "keys-solution.png");
    await snap(browser, solution, width, height);
    const text = ocr(solution);
    check("real keys: F2 opens \"Решение\"", /Дадено/.test(text), text.split("\n").find((l) => /Дадено/.test(l)));
    const closeButton = findWord(solution, /Затвори/, width);
    if (closeButton)
      xdotool("mousemove", String(Math.round(closeButton[0])), String(Math.round(pageTop + closeButton[1])), "click", "1");
    await sleep(500);
    click(cellX(4) + 30, rowY(9) + 13);
    await browser.evaluate("window.beforeReload = true");
    xdotool("key", "ctrl+r");
    await sleep(1500);
    const reloaded = await browser.evaluate("window.beforeReload === undefined").catch(() => true);
    check("real keys: Ctrl+R reloads the page", reloaded);
    const again = await waitForWindow(browser, shot, 1, width, height);
    if (again) {
      click(cellX(4) + 30, rowY(9) + 13);
      xdotool("key", "ctrl+shift+c");
      await sleep(1500);
      const { targetInfos } = await browser.send("Target.getTargets", {}, null);
      check("real keys: Ctrl+Shift+C opens the inspector", targetInfos.some((t) => t.url.startsWith("devtools://")),
        targetInfos.map((t) => t.url).join(" "));
    }
  } finally {
    await browser.close();
    xvfb.kill();
  }
}

// Once loaded, the page starts again without the server: a fresh browser, a first
// visit that leaves the service worker its copy, then the server stops and the page
// loads again. The first visit tells what the browser got: the program compressed, and
// as application/wasm.
async function offline(url) {
  const port = Number(new URL(url).port);
  const server = await startNginx(dist, port);
  const browser = await Browser.launch(["--lang=bg"]);
  try {
    await browser.openPage(1280, 800);
    await browser.send("Network.enable");
    const responses = new Map(), wire = new Map();
    browser.on("Network.responseReceived", ({ requestId, response }) => {
      if (response.url.endsWith("/quadrelon.wasm") && !response.fromServiceWorker)
        responses.set(requestId, response);
    });
    browser.on("Network.loadingFinished", ({ requestId, encodedDataLength }) => wire.set(requestId, encodedDataLength));
    await browser.navigate(url);
    const ready = await browser.evaluate(`(async () => {
      // A page that never starts never registers its worker.
      await Promise.race([navigator.serviceWorker.ready, new Promise((resolve) => setTimeout(resolve, 60000))]);
      for (let i = 0; i < 200 && !navigator.serviceWorker.controller; ++i)
        await new Promise((resolve) => setTimeout(resolve, 100));
      return (await caches.keys()).length > 0 && !!navigator.serviceWorker.controller;
    })()`);
    check("the service worker keeps the page", ready);
    const [id, wasm] = [...responses][0] ?? [];
    const encoding = wasm && Object.entries(wasm.headers).find(([name]) => /^content-encoding$/i.test(name))?.[1];
    check("the browser gets quadrelon.wasm compressed, as application/wasm",
      wasm?.mimeType === "application/wasm" && /^(br|gzip)$/.test(encoding ?? "") && wire.get(id) < size(dist, "quadrelon.wasm") / 2,
      wasm && `${wasm.mimeType} ${encoding} ${wire.get(id)} bytes on the wire`);
    stopNginx(server);
    await sleep(500);
    const gone = await fetch(url).then(() => false, () => true);
    await browser.navigate(url);
    const win = await waitForWindow(browser, join(work, "offline.png"), 1);
    check("with the server stopped, the page starts again", gone && win !== null);
  } finally {
    await browser.close();
    stopNginx(server);
  }
}

const size = (folder, file) => statSync(join(folder, file)).size;
const md5 = (data) => createHash("md5").update(data).digest("hex");

// The program's web address, which starts its window's title, as the program keeps
// it (UTF-16).
const address = readFileSync("CMakeLists.txt", "utf8").match(/set\(QUADRELON_WEB_ADDRESS "([^"]+)"\)/)[1];
const utf16 = (text) => Buffer.from(text, "utf16le");

// A new build as the teacher puts it on the server: here the folder once more with a
// visible change in the program, the title's address in capitals, compressed again and
// with the service worker renamed, as scripts/web.sh does. Returns the new cache's name.
function rebuild(site) {
  const wasm = readFileSync(join(site, "quadrelon.wasm"));
  const [from, to] = [utf16(address), utf16(address.toUpperCase())];
  let found = 0;
  for (let at = wasm.indexOf(from); at >= 0; at = wasm.indexOf(from, at + 1), ++found)
    to.copy(wasm, at);
  if (!found)
    throw new Error(`the program does not hold "${address}"`);
  writeFileSync(join(site, "quadrelon.wasm"), wasm);
  writeFileSync(join(site, "quadrelon.wasm.br"),
    brotliCompressSync(wasm, { params: { [constants.BROTLI_PARAM_QUALITY]: 5 } }));
  writeFileSync(join(site, "quadrelon.wasm.gz"), gzipSync(wasm));
  const name = `quadrelon-${md5(wasm).slice(0, 12)}`;
  const worker = readFileSync(join(site, "sw.js"), "utf8").replace(/quadrelon-[0-9a-f]{12}/, name);
  writeFileSync(join(site, "sw.js"), worker);
  writeFileSync(join(site, "sw.js.br"), brotliCompressSync(worker));
  writeFileSync(join(site, "sw.js.gz"), gzipSync(worker));
  return name;
}

// Which of the two builds the page runs: whether the program's memory holds the
// address in capitals.
const runsNewBuild = (browser) => browser.evaluate(`(() => {
  const module = loader.module();
  const memory = module.HEAPU8 ?? new Uint8Array(module.asm.memory.buffer);
  const wanted = new Uint8Array([${[...utf16(address.toUpperCase())].join(",")}]);
  search: for (let at = memory.indexOf(wanted[0]); at >= 0; at = memory.indexOf(wanted[0], at + 1)) {
    for (let i = 1; i < wanted.length; ++i)
      if (memory[at + i] !== wanted[i])
        continue search;
    return true;
  }
  return false;
})()`);

// Updates reach a returning browser: it visits the folder's build and keeps it; the
// folder gets a new build; the next visit shows the old one while the new service
// worker takes the new files, and the one after it the new build. The server lets
// browsers keep the program and its loaders for a year, which is what a service
// worker fetching through the browser's cache would trip over.
async function update() {
  const site = join(work, "site");
  rmSync(site, { recursive: true, force: true });
  cpSync(dist, site, { recursive: true });
  const port = await freePort();
  const server = await startNginx(site, port, { cacheControl: "max-age=31536000" });
  const url = server.url;
  const kept = (await get(`${url}quadrelon.wasm`)).headers["cache-control"];
  check("update: this server lets browsers keep the program for a year", kept === "max-age=31536000", kept);
  const browser = await Browser.launch(["--lang=bg"]);
  try {
    await browser.openPage(1280, 800);
    await browser.navigate(url);
    await browser.evaluate(`(async () => {
      // A page that never starts never registers its worker.
      await Promise.race([navigator.serviceWorker.ready, new Promise((resolve) => setTimeout(resolve, 60000))]);
      for (let i = 0; i < 200 && !navigator.serviceWorker.controller; ++i)
        await new Promise((resolve) => setTimeout(resolve, 100));
    })()`);
    const first = await waitForWindow(browser, join(work, "update-1.png"), 1);
    check("update: the first visit runs the first build", first !== null && !(await runsNewBuild(browser)));
    const cacheName = rebuild(site);
    await browser.navigate(url);
    const second = await waitForWindow(browser, join(work, "update-2.png"), 1);
    const replaced = await browser.evaluate(`(async () => {
      for (let i = 0; i < 600; ++i) {
        const names = await caches.keys();
        if (names.length === 1 && names[0] === ${JSON.stringify(cacheName)})
          return true;
        await new Promise((resolve) => setTimeout(resolve, 100));
      }
      return false;
    })()`);
    const secondNew = second !== null && await runsNewBuild(browser);
    check("update: on the next visit the new service worker takes the new build in place of the old", replaced);
    await browser.navigate(url);
    const third = await waitForWindow(browser, join(work, "update-3.png"), 1);
    const thirdNew = third !== null && await runsNewBuild(browser);
    check("update: the visit after it runs the new build", thirdNew,
      `visit 2 ran the ${secondNew ? "new" : "old"} build, visit 3 the ${thirdNew ? "new" : "old"}`);
  } finally {
    await browser.close();
    stopNginx(server);
  }
}

const port = await freePort();
const url = `http://127.0.0.1:${port}/`;
const server = await startNginx(dist, port);
try {
  await served(url);
  await session(url, { width: 1280, height: 800, mobile: false, name: "desktop" });
  await session(url, { width: 390, height: 844, mobile: true, name: "phone" });
  await realKeys(url);
} finally {
  stopNginx(server);
}
await offline(url);
await update();
console.log(`--- ${failures} failed; details in ${work}`);
process.exit(failures === 0 ? 0 : 1);
