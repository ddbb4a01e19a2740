// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Debian's nginx serving a folder with the sample site (packaging/web/nginx.conf), as a
// school's server would, for the browser check and benchmark: run by the user in a
// temporary folder of its own, on a port of 127.0.0.1, no system service involved.
import { spawn } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { request } from "node:http";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { sleep } from "./web-cdp.mjs";

// The sample site on the given port and folder. `cacheControl` replaces what it tells
// browsers to do with the program and its loaders, to try a server that lets them keep
// those for long.
export function siteConfig(root, port, cacheControl) {
  let site = readFileSync("packaging/web/nginx.conf", "utf8")
    .replace(/^ *listen \[::\]:80;\n/m, "")
    .replace(/^( *)listen 80;/m, `$1listen 127.0.0.1:${port};`)
    .replace(/^( *)root .*;/m, `$1root ${resolve(root)};`);
  if (cacheControl) {
    site = site.replace(/(location ~ \\\.(?:wasm|js)\$ \{[\s\S]*?)Cache-Control "no-cache"/g,
      `$1Cache-Control "${cacheControl}"`);
  }
  return site;
}

export async function startNginx(root, port, { cacheControl } = {}) {
  const prefix = mkdtempSync(join(tmpdir(), "quadrelon-nginx-"));
  writeFileSync(join(prefix, "site.conf"), siteConfig(root, port, cacheControl));
  writeFileSync(join(prefix, "nginx.conf"), `
daemon off;
master_process off;
pid ${prefix}/nginx.pid;
error_log ${prefix}/error.log;
events { worker_connections 64; }
http {
    include /etc/nginx/mime.types;
    default_type application/octet-stream;
    log_format sent '$bytes_sent $status $request_uri $sent_http_content_encoding';
    access_log ${prefix}/access.log sent;
    client_body_temp_path ${prefix}/body;
    proxy_temp_path ${prefix}/proxy;
    fastcgi_temp_path ${prefix}/fastcgi;
    uwsgi_temp_path ${prefix}/uwsgi;
    scgi_temp_path ${prefix}/scgi;
    include ${prefix}/site.conf;
}
`);
  const nginx = spawn("/usr/sbin/nginx", ["-p", prefix, "-c", join(prefix, "nginx.conf"), "-e", join(prefix, "error.log")],
    { stdio: ["ignore", "ignore", "pipe"] });
  let said = "";
  nginx.stderr.on("data", (chunk) => { said += chunk; });
  const server = { nginx, prefix, url: `http://127.0.0.1:${port}/` };
  for (let i = 0; i < 100 && nginx.exitCode === null; ++i) {
    try {
      await get(server.url);
      return server;
    } catch {}
    await sleep(100);
  }
  stopNginx(server);
  throw new Error(`nginx did not start: ${said}${readFileSync(join(prefix, "error.log"), "utf8")}`);
}

// What the server has sent since the last call (or its start): bytes on the wire,
// headers included, in all and by path, and how each path was compressed.
export function sentSince(server) {
  const log = readFileSync(join(server.prefix, "access.log"), "utf8");
  const lines = log.slice(server.logRead ?? 0).split("\n").filter(Boolean);
  server.logRead = log.length;
  const byPath = {}, encodings = {};
  let total = 0;
  for (const line of lines) {
    const [bytes, , path, encoding] = line.split(" ");
    byPath[path] = (byPath[path] ?? 0) + Number(bytes);
    encodings[path] = encoding === "-" ? "none" : encoding;
    total += Number(bytes);
  }
  return { total, byPath, encodings };
}

export function stopNginx(server) {
  if (!server)
    return;
  server.nginx.kill("SIGTERM");
  rmSync(server.prefix, { recursive: true, force: true });
}

// One GET as a browser sends it, the body left as it came over the wire: its status,
// headers and size.
export function get(url, headers = {}) {
  return new Promise((done, fail) => {
    const req = request(url, { headers }, (response) => {
      let bytes = 0;
      response.on("data", (chunk) => { bytes += chunk.length; });
      response.on("end", () => done({ status: response.statusCode, headers: response.headers, bytes }));
    });
    req.on("error", fail);
    req.end();
  });
}
