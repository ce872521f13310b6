// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the whole site, so that after one visit the page opens and calculates
// with no network. The build writes SITE_VERSION and SITE_FILES in front of
// this file; a new build gets a cache of its own and the old one goes.
const CACHE = `kviltora-${SITE_VERSION}`;

self.addEventListener('install', (event) => {
  const fresh = SITE_FILES.map((file) => new Request(file, { cache: 'no-cache' }));
  event.waitUntil(
    caches
      .open(CACHE)
      .then((cache) => cache.addAll(fresh))
      .then(() => self.skipWaiting()),
  );
});

self.addEventListener('activate', (event) => {
  const old = (name) => name.startsWith('kviltora-') && name !== CACHE;
  event.waitUntil(
    caches
      .keys()
      .then((names) => Promise.all(names.filter(old).map((name) => caches.delete(name))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener('fetch', (event) => {
  const { request } = event;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(
    caches
      .open(CACHE)
      .then((cache) => cache.match(request, { ignoreSearch: true }))
      .then((kept) => kept || fetch(request)),
  );
});
