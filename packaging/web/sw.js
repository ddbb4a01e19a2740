// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeps the page's files so that it starts without a network after the first visit.
// The cache's name changes with every build (scripts/web.sh writes it in), so this file
// changes too, the browser installs it on the next visit, and the new build replaces
// the old files; the page that visit shows is the old one, the next is the new one.
"use strict";
const cacheName = "quadrelon-@BUILD@";
const files = [".", "index.html", "qtloader.js", "quadrelon.js", "quadrelon.wasm",
               "manifest.webmanifest", "icon-192.png", "icon-512.png"];

self.addEventListener("install", (event) => {
  // Each file checked with the server, never taken from the browser's cache unasked: a
  // server that lets browsers keep the files for long would otherwise hand the new
  // build the old program. A file the browser has already and the server still has
  // comes back as a short "not modified".
  const fresh = files.map((file) => new Request(file, { cache: "no-cache" }));
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(fresh)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== cacheName).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The cached copy first: the files of one build never change.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET")
    return;
  event.respondWith(caches.match(event.request, { ignoreSearch: true })
    .then((cached) => cached || fetch(event.request)));
});
