// Runs a served page's script (the file named first) in a small stand-in for a browser: a
// virtual clock, an EventSource and fetch that the scenario (the file named second, or the
// default below) drives, and just enough of a document. Prints one JSON line of what the page
// did and exits 0; a scenario's failed check exits 1 with the reason.
'use strict';
const fs = require('fs');
const vm = require('vm');

let now = 0;
const timers = [];
let nextTimer = 1;
function addTimer(fn, ms, repeat) {
  const t = {id: nextTimer++, at: now + Math.max(ms, 0), fn, every: repeat ? Math.max(ms, 1) : 0};
  timers.push(t);
  return t.id;
}
function clearTimer(id) {
  const i = timers.findIndex((t) => t.id === id);
  if (i >= 0) timers.splice(i, 1);
}

// The server as the page sees it: the event's version, whether streams are refused, whether
// it answers at all.
const server = {version: 1, refuseStreams: true, up: true, pageReads: 0, eventReads: 0};
const sources = [];

class EventSource {
  constructor(url) {
    this.url = url;
    this.readyState = 0;
    this.listeners = {};
    this.closed = false;
    sources.push(this);
    addTimer(() => {
      if (this.closed) return;
      if (!server.up || server.refuseStreams) {
        this.readyState = 2;
        if (this.onerror) this.onerror({});
        return;
      }
      this.readyState = 1;
      this.send(server.version);
    }, 10, false);
  }
  addEventListener(name, fn) { (this.listeners[name] = this.listeners[name] || []).push(fn); }
  send(version) {
    for (const fn of this.listeners.version || []) fn({data: JSON.stringify({version})});
  }
  close() { this.closed = true; this.readyState = 2; }
}

function answer(ok, status, body) {
  return {ok, status, json: () => Promise.resolve(JSON.parse(body)), text: () => Promise.resolve(body)};
}
function fetch(url) {
  return new Promise((resolve, reject) => {
    addTimer(() => {
      if (!server.up) return reject(new Error('down'));
      if (url.endsWith('/api/event')) {
        server.eventReads++;
        return resolve(answer(true, 200, JSON.stringify({version: server.version})));
      }
      server.pageReads++;
      resolve(answer(true, 200, 'v' + server.version));
    }, 5, false);
  });
}

// The document: a body with its attributes, a note, and the parts a refresh replaces.
function element(name) {
  return {name, textContent: '', className: '', attributes: {}, hidden: false,
          getAttribute(a) { return a in this.attributes ? this.attributes[a] : null; },
          setAttribute(a, v) { this.attributes[a] = String(v); },
          parentNode: {replaceChild(next, old) { parts[old.name] = next; }}};
}
const parts = {style: element('style'), header: element('header'), main: element('main')};
const body = element('body');
body.attributes['data-version'] = '1';
body.attributes['data-base'] = process.env.TOQ_BASE || '';
const note = element('span');
const document = {
  body,
  getElementById(id) { return id === 'live' ? note : null; },
  querySelector(name) { return parts[name] || null; },
  querySelectorAll() { return []; },
  importNode(n) { return n; },
};
class DOMParser {
  parseFromString(text) {
    const d = {body: element('body'), querySelector: (name) => element(name)};
    d.body.attributes['data-version'] = text.slice(1);
    return d;
  }
}

const sandbox = {
  window: {EventSource, addEventListener() {}, scrollTo() {}, innerHeight: 800},
  document, EventSource, fetch, DOMParser, JSON, Math, Date: class extends Date {
    constructor(...a) { super(...(a.length ? a : [now])); }
    static now() { return now; }
  },
  String, Error, Promise, location: {pathname: '/', search: ''},
  setTimeout: (fn, ms) => addTimer(fn, ms, false), setInterval: (fn, ms) => addTimer(fn, ms, true),
  clearInterval: clearTimer, clearTimeout: clearTimer,
};
vm.createContext(sandbox);
vm.runInContext(fs.readFileSync(process.argv[2], 'utf8'), sandbox);

// Runs the virtual clock up to `until`, letting promises settle between timers.
async function runUntil(until) {
  for (;;) {
    await new Promise((r) => setImmediate(r));
    timers.sort((a, b) => a.at - b.at || a.id - b.id);
    const t = timers[0];
    if (!t || t.at > until) break;
    now = t.at;
    if (t.every) t.at += t.every; else timers.shift();
    t.fn();
  }
  now = until;
  await new Promise((r) => setImmediate(r));
}

const seen = [];
function look(what) {
  seen.push({what, at: now, version: body.getAttribute('data-version'), note: note.textContent,
             streams: sources.length, open: sources.filter((s) => s.readyState === 1 && !s.closed).length});
}

(async () => {
  // The stream is refused (the server holds as many as it takes), then a result is entered.
  await runUntil(1000);
  look('refused');
  server.version = 2;
  await runUntil(8000);
  look('changed while refused');
  // The server takes streams again: the page goes back to one after its pause.
  server.refuseStreams = false;
  await runUntil(40000);
  look('streams taken again');
  // The server goes away for good: after a minute without contact the note says so.
  server.up = false;
  for (const s of sources) if (!s.closed && s.onerror) { s.readyState = 2; s.onerror({}); }
  await runUntil(40000 + 70000);
  look('server gone');
  console.log(JSON.stringify({seen, eventReads: server.eventReads, pageReads: server.pageReads,
                              base: sources.map((s) => s.url)}));
})();
