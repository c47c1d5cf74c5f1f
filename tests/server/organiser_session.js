// The organiser's page in a small stand-in for a browser, driven as an organiser would: it is
// opened at http://127.0.0.1:PROXY/admin#KEY, enters a result on every board of the round (and
// looks at the pairing button and its reason meanwhile), corrects the first board's result as
// far as its confirmation, then pairs the next round with one tap (and reports what the page's
// box shows after it). Every byte between the page and the server passes a recording proxy;
// each connection's bytes from the page go to OUT/sent-N.bin and everything to OUT/all.bin.
// Prints one JSON line of what the page showed; exits 1 with the reason if it got stuck.
// Usage: node organiser_session.js SERVER_PORT KEY OUT_DIR
'use strict';
const fs = require('fs');
const net = require('net');
const path = require('path');
const vm = require('vm');

const [serverPort, key, out] = [Number(process.argv[2]), process.argv[3], process.argv[4]];
const all = [], sentBy = [];
setTimeout(() => { console.error('stuck'); process.exit(1); }, 30000).unref();

const proxy = net.createServer((client) => {
  const sent = [];
  sentBy.push(sent);
  const upstream = net.connect(serverPort, '127.0.0.1');
  client.on('data', (d) => { sent.push(d); all.push(d); upstream.write(d); });
  upstream.on('data', (d) => { all.push(d); client.write(d); });
  client.on('close', () => upstream.end());
  upstream.on('close', () => client.end());
  client.on('error', () => upstream.destroy());
  upstream.on('error', () => client.destroy());
});

// Just enough of a document for the page: elements by id, made elements, text and clicks.
function element(tag) {
  const e = {tag, children: [], className: '', hidden: false, disabled: false, value: '',
             attributes: {}, listeners: {}, text: '',
             appendChild(c) { this.children.push(c); return c; },
             addEventListener(name, fn) { (this.listeners[name] = this.listeners[name] || []).push(fn); },
             getAttribute(a) { return a in this.attributes ? this.attributes[a] : null; },
             setAttribute(a, v) { this.attributes[a] = String(v); },
             click() { for (const fn of this.listeners.click || []) fn({target: this}); }};
  Object.defineProperty(e, 'textContent', {
    get() { return this.text + this.children.map((c) => c.textContent).join(''); },
    set(v) { this.text = String(v); this.children = []; }});
  return e;
}
const byId = {};
for (const id of ['boards', 'search', 'overlay', 'box', 'note', 'round', 'open', 'prev', 'next',
                  'pair', 'pairWhy', 'locked', 'complete', 'live'])
  byId[id] = element(id);
const body = element('body');
body.attributes['data-mode'] = 'admin';
const document = {body, getElementById: (id) => byId[id] || null,
                  createElement: (tag) => element(tag)};
function find(root, test) {
  if (test(root)) return root;
  for (const c of root.children) { const f = find(c, test); if (f) return f; }
  return null;
}
const buttonNamed = (root, text) => find(root, (e) => e.tag === 'button' && e.text === text);

async function until(what, test) {
  for (let i = 0; i < 400; i++) {
    if (test()) return;
    await new Promise((r) => setTimeout(r, 25));
  }
  throw new Error('waited in vain for ' + what + ' (note: ' + byId.note.textContent + ')');
}

proxy.listen(0, '127.0.0.1', async () => {
  const base = `http://127.0.0.1:${proxy.address().port}`;
  const page = await (await fetch(base + '/admin')).text();
  const script = /<script>([\s\S]*)<\/script>/.exec(page)[1];
  const storage = {};
  const sandbox = {
    document, JSON, Math, Date, String, Error, Promise, Array, TextEncoder, console,
    location: {pathname: '/admin', search: '', hash: '#' + key},
    history: {replaceState(a, b, url) { sandbox.location.hash = ''; sandbox.location.pathname = url; }},
    sessionStorage: {setItem(k, v) { storage[k] = v; }, getItem(k) { return storage[k] || null; }},
    fetch: (url, options) => fetch(base + url, options),
    setTimeout, setInterval, clearInterval, clearTimeout, decodeURIComponent, encodeURIComponent,
  };
  sandbox.window = sandbox;
  vm.createContext(sandbox);
  vm.runInContext(script, sandbox);
  const report = {results: 0, completeShown: false, addressAfter: sandbox.location.pathname};
  try {
    const boards = () => byId.boards.children.filter((b) => b.tag === 'button');
    await until('the boards', () => boards().length === 5);
    report.sittingOut = byId.boards.children.filter((e) => e.className === 'sitting')
        .map((e) => e.textContent);
    report.pairBefore = {disabled: byId.pair.disabled, why: byId.pairWhy.textContent};
    for (let i = 0; i < 5; i++) {
      const board = boards()[i];
      board.click();
      const a = find(byId.box, (e) => e.tag === 'button' && / の勝ち$/.test(e.text));
      a.click();
      buttonNamed(byId.box, '送る').click();
      await until('result ' + (i + 1), () => /の結果を受け付けました/.test(byId.note.textContent));
      byId.note.textContent = '';
      report.results++;
      if (i === 0) {
        // A correction of the first board as far as its confirmation, then back.
        await until('the first result shown', () => /の勝ち$/.test(boards()[0].textContent));
        boards()[0].click();
        find(byId.box, (e) => e.tag === 'button' && / の勝ち$/.test(e.text) &&
             !boards()[0].textContent.includes(e.text)).click();
        report.correction = byId.box.textContent;
        buttonNamed(byId.box, '戻る').click();
        buttonNamed(byId.box, '戻る').click();
      }
    }
    await until('the offer of the next round', () => !byId.complete.hidden);
    report.completeShown = true;
    report.pairAfter = {disabled: byId.pair.disabled, why: byId.pairWhy.textContent};
    byId.pair.click();
    await until('the pairing', () => /回戦を組み合わせました/.test(byId.note.textContent));
    report.paired = byId.note.textContent;
    report.shownAfter = byId.overlay.hidden ? '' : byId.box.textContent;
  } catch (e) {
    report.error = e.message;
  }
  setTimeout(() => {
    fs.writeFileSync(path.join(out, 'all.bin'), Buffer.concat(all));
    sentBy.forEach((sent, n) => fs.writeFileSync(path.join(out, `sent-${n}.bin`), Buffer.concat(sent)));
    console.log(JSON.stringify(report));
    process.exit(0);
  }, 300);
});
