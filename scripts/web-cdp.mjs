// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the browser check and the browser benchmark share: the page served by
// `scripts/web.sh serve`, and Debian's Chromium, headless, driven over the DevTools
// protocol with Node's own WebSocket (node --experimental-websocket on Node 20).
import { spawn } from "node:child_process";
import { mkdtempSync, rmSync } from "node:fs";
import { createServer } from "node:net";
import { tmpdir } from "node:os";
import { join } from "node:path";

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

export function freePort() {
  return new Promise((resolve) => {
    const server = createServer();
    server.listen(0, "127.0.0.1", () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// Starts `scripts/web.sh serve` on the given folder and port; resolves once it answers.
export async function startServer(dist, port) {
  const server = spawn("scripts/web.sh", ["serve"], {
    env: { ...process.env, PORT: String(port), QUADRELON_WEB_DIST: dist },
    stdio: ["ignore", "ignore", "pipe"],
    detached: true,
  });
  for (let i = 0; i < 100; ++i) {
    try {
      if ((await fetch(`http://127.0.0.1:${port}/`)).ok)
        return server;
    } catch {}
    await sleep(100);
  }
  throw new Error("the server did not start");
}

export function stopServer(server) {
  try { process.kill(-server.pid); } catch {}
}

// One DevTools session with a page of a fresh headless Chromium, or of a Chromium
// with its window on the given X display, whose browser keys are real.
export class Browser {
  static async launch(extraFlags = [], { display } = {}) {
    const profile = mkdtempSync(join(tmpdir(), "quadrelon-chromium-"));
    const chromium = spawn("/usr/bin/chromium", [
      ...(display ? ["--window-position=0,0", "--window-size=1280,800"] : ["--headless"]),
      "--no-sandbox", "--disable-gpu", "--enable-unsafe-swiftshader",
      "--disable-background-networking", "--disable-component-update", "--disable-sync",
      "--no-first-run", "--disable-default-apps", `--user-data-dir=${profile}`,
      "--remote-debugging-port=0", ...extraFlags, "about:blank",
    ], { stdio: ["ignore", "ignore", "pipe"], env: display ? { ...process.env, DISPLAY: display } : process.env });
    const endpoint = await new Promise((resolve, reject) => {
      let seen = "";
      chromium.stderr.on("data", (chunk) => {
        seen += chunk;
        const found = seen.match(/DevTools listening on (ws:\/\/\S+)/);
        if (found)
          resolve(found[1]);
      });
      chromium.on("exit", () => reject(new Error("Chromium ended: " + seen)));
    });
    const browser = new Browser(chromium, profile);
    await browser.connect(endpoint);
    return browser;
  }

  constructor(process, profile) {
    this.process = process;
    this.profile = profile;
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = [];
  }

  connect(endpoint) {
    this.socket = new WebSocket(endpoint);
    this.socket.onmessage = (message) => {
      const data = JSON.parse(message.data);
      if (data.id && this.pending.has(data.id)) {
        const { resolve, reject } = this.pending.get(data.id);
        this.pending.delete(data.id);
        if (data.error)
          reject(new Error(JSON.stringify(data.error)));
        else
          resolve(data.result);
      } else if (data.method) {
        for (const listener of this.listeners)
          listener(data);
      }
    };
    return new Promise((resolve) => { this.socket.onopen = resolve; });
  }

  send(method, params = {}, sessionId = this.session) {
    const id = this.nextId++;
    this.socket.send(JSON.stringify({ id, method, params, ...(sessionId ? { sessionId } : {}) }));
    return new Promise((resolve, reject) => this.pending.set(id, { resolve, reject }));
  }

  on(method, callback) {
    this.listeners.push((data) => { if (data.method === method) callback(data.params); });
  }

  // A new tab of the given viewport, which later calls talk to. A mobile one is an
  // Android phone's: three device pixels to the CSS pixel, a touch screen, and a
  // browser that says so, for pages that open the on-screen keyboard only there.
  async openPage(width, height, mobile = false) {
    const { targetId } = await this.send("Target.createTarget", { url: "about:blank" }, null);
    this.session = (await this.send("Target.attachToTarget", { targetId, flatten: true }, null)).sessionId;
    await this.send("Page.enable");
    await this.send("Runtime.enable");
    await this.send("Emulation.setDeviceMetricsOverride",
      { width, height, deviceScaleFactor: mobile ? 3 : 1, mobile });
    if (mobile) {
      await this.send("Emulation.setTouchEmulationEnabled", { enabled: true, maxTouchPoints: 5 });
      await this.send("Emulation.setUserAgentOverride", {
        userAgent: "Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 (KHTML, like Gecko) " +
          "Chrome/156.0.0.0 Mobile Safari/537.36",
        platform: "Linux armv8l", acceptLanguage: "bg-BG,bg",
      });
    }
  }

  async evaluate(expression) {
    const { result, exceptionDetails } =
      await this.send("Runtime.evaluate", { expression, awaitPromise: true, returnByValue: true });
    if (exceptionDetails)
      throw new Error(exceptionDetails.exception?.description ?? exceptionDetails.text);
    return result.value;
  }

  async navigate(url) {
    const loaded = new Promise((resolve) => this.on("Page.loadEventFired", resolve));
    await this.send("Page.navigate", { url });
    await loaded;
  }

  async screenshot() {
    const { data } = await this.send("Page.captureScreenshot", { format: "png" });
    return Buffer.from(data, "base64");
  }

  async click(x, y) {
    for (const type of ["mouseMoved", "mousePressed", "mouseReleased"])
      await this.send("Input.dispatchMouseEvent", { type, x, y, button: "left", clickCount: 1 });
    await sleep(150);
  }

  // A finger's tap, or a press held for a long one, at a point of the layout.
  async tap(x, y, holdMs = 0) {
    await this.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: [{ x, y }] });
    await sleep(holdMs + 30);
    await this.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
    await sleep(150);
  }

  // Two fingers, one above the other, the second landing after the first as a pupil's
  // do, that move apart (factor > 1) or together around the point between them. Points
  // are the page's, from the top left corner of what the screen shows.
  async pinch(x, y, factor, steps = 12) {
    const start = 150, end = start * factor;
    const fingers = (d) => [{ x, y: y - d, id: 1 }, { x, y: y + d, id: 2 }];
    await this.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: [fingers(start)[0]] });
    await sleep(60);
    await this.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: fingers(start) });
    for (let i = 1; i <= steps; ++i) {
      await this.send("Input.dispatchTouchEvent", { type: "touchMove", touchPoints: fingers(start + (end - start) * i / steps) });
      await sleep(20);
    }
    await this.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
    await sleep(400);
  }

  // Two fingers side by side moved together by (dx, dy), from the given point.
  async pan(x, y, dx, dy, steps = 12) {
    const fingers = (i) => [{ x: x - 30 + dx * i / steps, y: y + dy * i / steps, id: 1 },
                            { x: x + 30 + dx * i / steps, y: y + dy * i / steps, id: 2 }];
    await this.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: [fingers(0)[0]] });
    await sleep(60);
    await this.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: fingers(0) });
    for (let i = 1; i <= steps; ++i) {
      await this.send("Input.dispatchTouchEvent", { type: "touchMove", touchPoints: fingers(i) });
      await sleep(20);
    }
    await this.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
    await sleep(400);
  }

  // Text from an on-screen keyboard: it arrives in the focused element as typed text,
  // with no key codes.
  async insertText(text) {
    for (const c of text)
      await this.send("Input.insertText", { text: c });
    await sleep(40);
  }

  // A key as the keyboard sends it: key down with its text, key up.
  async key(key, { code = key, text, keyCode, modifiers = 0 } = {}) {
    await this.send("Input.dispatchKeyEvent",
      { type: text ? "keyDown" : "rawKeyDown", key, code, text, windowsVirtualKeyCode: keyCode, modifiers });
    await this.send("Input.dispatchKeyEvent", { type: "keyUp", key, code, windowsVirtualKeyCode: keyCode, modifiers });
    await sleep(40);
  }

  async type(text) {
    for (const c of text)
      await this.key(c, { code: /\d/.test(c) ? `Digit${c}` : c, text: c, keyCode: c.toUpperCase().charCodeAt(0) });
  }

  async close() {
    try { await this.send("Browser.close", {}, null); } catch {}
    this.socket.close();
    await new Promise((resolve) => {
      if (this.process.exitCode !== null)
        resolve();
      this.process.on("exit", resolve);
      setTimeout(() => { this.process.kill("SIGKILL"); resolve(); }, 5000);
    });
    rmSync(this.profile, { recursive: true, force: true });
  }
}
