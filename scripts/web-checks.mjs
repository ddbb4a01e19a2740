// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Checks the page of the browser edition in Debian's Chromium, headless; run by
// scripts/web.sh test. The page comes from `scripts/web.sh serve`, in a Bulgarian
// browser:
//  - the window appears; "Вариант 10" with P = 14 and S = 12 and Enter shows 3,00 4,00
//    5,00 (read back from the screen with tesseract), and "Копирай реда" puts the row on
//    the browser's clipboard;
//  - impossible input brings the error box, and the program calculates again after it;
//  - Ctrl+R opens "Решение";
//  - once loaded, the page starts again with the server stopped;
//  - the same on a phone-sized screen (390 x 844), scaled down to fit.
// Screenshots of both sizes go to docs/. Usage: node --experimental-websocket
// scripts/web-checks.mjs <dist dir> <work dir>
import { execFileSync } from "node:child_process";
import { mkdirSync, readFileSync, writeFileSync } from "node:fs";
import { join } from "node:path";
import { Browser, freePort, sleep, startServer, stopServer } from "./web-cdp.mjs";

const [dist, work] = process.argv.slice(2);
mkdirSync(work, { recursive: true });
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
const px = (t) => Math.round(t / 15);
const cellX = (column) => px(twips("kGridLeft") + twips("kColumnSpacing") * column);
const rowY = (row) => px(twips("kGridTop") + twips("kRowSpacing") * row);
const cellWidth = px(twips("kCellWidth")), cellHeight = px(twips("kCellHeight"));
const [clientWidth, clientHeight] = [520, 428];

const magick = (...args) => execFileSync("convert", args, { encoding: "utf8" });

// Where the window's inside lies on the page: Qt draws a frame around it on the
// background, so the window is what trimming the background leaves, less the frame.
function windowOnPage(shot, scale) {
  const [w, h, x, y] = magick(shot, "-fuzz", "2%", "-trim", "-format", "%w %h %X %Y", "info:").trim()
    .split(" ").map((v) => Number(v.replace("+", "")));
  const border = (w - clientWidth * scale) / 2;
  return { left: x + border, top: y + h - border - clientHeight * scale, scale, frame: { w, h, x, y } };
}

// The text of a result cell of row 10 as the screen shows it: the commonest of three
// readings, as tesseract takes a comma for a point now and then.
function readCell(shot, win, column) {
  const s = win.scale;
  const crop = `${Math.round((cellWidth - 6) * s)}x${Math.round((cellHeight - 6) * s)}+` +
    `${Math.round(win.left + (cellX(column) + 3) * s)}+${Math.round(win.top + (rowY(9) + 3) * s)}`;
  const cell = join(work, `cell${column}.png`), ocr = join(work, "ocr.png");
  magick(shot, "-crop", crop, "+repage", "-colorspace", "gray", "-normalize", cell);
  const readings = {};
  for (const [mode, ...options] of [["8", "-resize", "300%"], ["13", "-resize", "800%", "-blur", "0x2"], ["7", "-resize", "400%"]]) {
    magick(cell, ...options, "-bordercolor", "white", "-border", "10", ocr);
    const text = execFileSync("tesseract", [ocr, "-", "--psm", mode, "-c", "tessedit_char_whitelist=0123456789.,-"],
      { encoding: "utf8", stdio: ["ignore", "pipe", "ignore"] }).replace(/\s/g, "");
    readings[text] = (readings[text] ?? 0) + 1;
  }
  return Object.entries(readings).sort((a, b) => b[1] - a[1])[0][0];
}

// A screenshot in CSS pixels: a phone's three device pixels each are scaled down.
async function snap(browser, file, width, height) {
  writeFileSync(file, await browser.screenshot());
  magick(file, "-resize", `${width}x${height}!`, file);
}

async function waitForWindow(browser, shot, scale, width = 1280, height = 800) {
  for (let i = 0; i < 600; ++i) {
    if (await browser.evaluate("document.getElementById('status').style.display === 'none'")) {
      await sleep(1500); // the first frames
      await snap(browser, shot, width, height);
      const win = windowOnPage(shot, scale);
      if (win.frame.w > clientWidth * scale)
        return win;
    }
    await sleep(100);
  }
  return null;
}

async function session(url, { width, height, mobile, name, full }) {
  const browser = await Browser.launch(["--lang=bg", "--accept-lang=bg-BG,bg"]);
  try {
    await browser.openPage(width, height, mobile);
    await browser.send("Browser.grantPermissions",
      { origin: new URL(url).origin, permissions: ["clipboardReadWrite", "clipboardSanitizedWrite"] }, null);
    await browser.navigate(url);
    const scale = Math.min(1, width / 540, height / 480);
    const shot = join(work, `${name}.png`);
    const win = await waitForWindow(browser, shot, scale, width, height);
    check(`${name}: the window appears`, win !== null);
    if (!win)
      return;
    check(`${name}: the window fits the screen`, win.frame.x >= 0 && win.frame.x + win.frame.w <= width
      && win.frame.y + win.frame.h <= height, JSON.stringify(win.frame));
    const at = (x, y) => [win.left + x * scale, win.top + y * scale];
    const enter = async (column, text) => {
      await browser.click(...at(cellX(column) + 30, rowY(9) + 13));
      await browser.key("a", { code: "KeyA", keyCode: 65, modifiers: 2 });
      await browser.type(text);
    };
    const calculate = async (p, s) => {
      await browser.click(...at(px(optionLeft) + 10, px(frameTop + optionTop + twips("kRowSpacing") * 9) + 13));
      await enter(3, p);
      await enter(4, s);
      await browser.key("Enter", { keyCode: 13, text: "\r" });
      await sleep(700);
      await snap(browser, shot, width, height);
      return [0, 1, 2].map((column) => readCell(shot, win, column)).join(" ");
    };

    let shown = await calculate("14", "12");
    check(`${name}: P = 14, S = 12 in "Вариант 10" and Enter shows 3,00 4,00 5,00`, shown === "3,00 4,00 5,00", shown);
    writeFileSync(`docs/web-screenshot${mobile ? "-phone" : ""}.png`, readFileSync(shot));
    if (!full)
      return;

    await browser.key("C", { code: "KeyC", keyCode: 67, modifiers: 2 | 8 });
    await sleep(300);
    const copied = await browser.evaluate("navigator.clipboard.readText()").catch((e) => String(e));
    check(`${name}: "Копирай реда" puts the row on the clipboard`, /3,00\t4,00\t5,00\t14,00\t12,00/.test(copied),
      JSON.stringify(copied));

    const before = join(work, `${name}-before.png`);
    writeFileSync(before, readFileSync(shot));
    await calculate("8", "4,5");
    const boxShot = join(work, `${name}-error.png`);
    await snap(browser, boxShot, width, height);
    const box = execFileSync("tesseract", [boxShot, "-", "-l", "bul+eng", "--psm", "3"],
      { encoding: "utf8", stdio: ["ignore", "pipe", "ignore"] });
    // Values without a rectangle are explained in a box titled "Няма правоъгълник".
    check(`${name}: impossible input brings the warning box`, /Няма/.test(box) && /Добре/.test(box),
      box.split("\n").find((l) => /Няма/.test(l)));
    await browser.key("Enter", { keyCode: 13, text: "\r" });
    await sleep(500);
    shown = await calculate("14", "12");
    check(`${name}: and the program calculates again after it`, shown === "3,00 4,00 5,00", shown);

    await browser.key("r", { code: "KeyR", keyCode: 82, modifiers: 2 });
    await sleep(1000);
    const solutionShot = join(work, `${name}-solution.png`);
    await snap(browser, solutionShot, width, height);
    writeFileSync("docs/web-screenshot-solution.png", readFileSync(solutionShot));
    const title = execFileSync("tesseract", [solutionShot, "-", "-l", "bul+eng", "--psm", "3"],
      { encoding: "utf8", stdio: ["ignore", "pipe", "ignore"] });
    // Full-page in the browser, without a title bar: its first lines tell it.
    check(`${name}: Ctrl+R opens "Решение"`, /Дадено/.test(title),
      title.split("\n").find((l) => /Дадено/.test(l)));
  } finally {
    await browser.close();
  }
}

// Once loaded, the page starts again without the server: a fresh browser, a first
// visit that leaves the service worker its copy, then the server stops and the page
// loads again.
async function offline(url) {
  const port = Number(new URL(url).port);
  const server = await startServer(dist, port);
  const browser = await Browser.launch(["--lang=bg"]);
  try {
    await browser.openPage(1280, 800);
    await browser.navigate(url);
    const ready = await browser.evaluate(`(async () => {
      const registration = await navigator.serviceWorker.ready;
      for (let i = 0; i < 200 && !navigator.serviceWorker.controller; ++i)
        await new Promise((resolve) => setTimeout(resolve, 100));
      return (await caches.keys()).length > 0 && !!navigator.serviceWorker.controller;
    })()`);
    check("the service worker keeps the page", ready);
    stopServer(server);
    await sleep(500);
    const gone = await fetch(url).then(() => false, () => true);
    await browser.navigate(url);
    const win = await waitForWindow(browser, join(work, "offline.png"), 1);
    check("with the server stopped, the page starts again", gone && win !== null);
  } finally {
    await browser.close();
    stopServer(server);
  }
}

const port = await freePort();
const url = `http://127.0.0.1:${port}/`;
const server = await startServer(dist, port);
try {
  await session(url, { width: 1280, height: 800, mobile: false, name: "desktop", full: true });
  await session(url, { width: 390, height: 844, mobile: true, name: "phone", full: false });
} finally {
  stopServer(server);
}
await offline(url);
console.log(`--- ${failures} failed; details in ${work}`);
process.exit(failures === 0 ? 0 : 1);
