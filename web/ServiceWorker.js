// The service worker of the page served by a web server: it keeps every file of the page in the
// browser's cache, so that the page opens and works with no network (the user's curves are in the
// page's own storage already). Each request goes to the server first, so that a new version is
// taken as soon as it is there; the cache answers only when the server cannot be reached.
// offline.json, written by the build, lists the files.
const CacheName = 'quorbel-page';

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const files = await (await fetch('offline.json', { cache: 'no-store' })).json();
    const cache = await caches.open(CacheName);
    await cache.addAll(['./', ...files].map((file) => new Request(file, { cache: 'no-store' })));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith((async () => {
    const cache = await caches.open(CacheName);
    try {
      const response = await fetch(request);
      if (response.ok) await cache.put(request, response.clone());
      return response;
    } catch (error) {
      const kept = await cache.match(request, { ignoreSearch: true });
      if (kept) return kept;
      throw error;
    }
  })());
});
