// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the site, so that after one visit the page opens and calculates with no
// network. The build writes SITE_VERSION, SITE_FILES and SITE_ON_DEMAND in front
// of this file; a new build gets a cache of its own and the old one goes.
const CACHE = `kviltora-${SITE_VERSION}`;

// The fonts and the licences are downloaded only where they are used: a device
// with a serif of its own never needs the page's fonts, and the install must not
// fetch them for it. The install keeps such a file only if the browser already
// holds it, as it does a font the page has just needed; any other is kept the
// first time it passes through here.
const ON_DEMAND_URLS = SITE_ON_DEMAND.map((file) => new URL(file, self.location).href);
const keepIfHeld = (cache, file) =>
  fetch(new Request(file, { cache: 'only-if-cached', mode: 'same-origin' })).then(
    (response) => response.ok && cache.put(file, response),
    () => {},
  );

// Where the browser can, it takes the files kept at install from the cache
// itself, without starting this worker, which would otherwise delay every
// request of a visit; a file not yet kept still comes from the network.
const keptByTheBrowser = {
  condition: {
    or: SITE_FILES.map((file) => ({
      urlPattern: { pathname: new URL(file, self.location).pathname, search: '' },
    })),
  },
  source: { cacheName: CACHE },
};

self.addEventListener('install', (event) => {
  const fresh = SITE_FILES.map((file) => new Request(file, { cache: 'no-cache' }));
  const routed = event.addRoutes?.(keptByTheBrowser).catch(() => {});
  event.waitUntil(
    caches
      .open(CACHE)
      .then((cache) => {
        const held = SITE_ON_DEMAND.map((file) => keepIfHeld(cache, file));
        return Promise.all([cache.addAll(fresh), routed, ...held]);
      })
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
  const fetchAndKeep = (cache) =>
    fetch(request).then((response) => {
      if (response.ok && ON_DEMAND_URLS.includes(request.url.split('?')[0])) {
        cache.put(request, response.clone());
      }
      return response;
    });
  event.respondWith(
    caches
      .open(CACHE)
      .then((cache) =>
        cache.match(request, { ignoreSearch: true }).then((kept) => kept || fetchAndKeep(cache)),
      ),
  );
});
