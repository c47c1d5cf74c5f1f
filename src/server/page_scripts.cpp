#include "server/page_scripts.h"

#include <string>

#include "server/sign_script.h"

namespace toq::server::scripts {

namespace {

// Follows the event's version: the server's change events, or, while the stream is refused
// (the server holds as many as it takes) or lost, /api/event every few seconds until the
// stream is tried again after a pause that grows. `seen` receives every version heard. The
// note "自動で更新されます" says when the page last heard from the server, and that updates
// have stopped after a minute without it.
constexpr std::string_view kWatch = R"js(
var base = document.body.getAttribute('data-base') || '';
var heard = Date.now(), updated = new Date();
function two(n) { return (n < 10 ? '0' : '') + n; }
function showContact() {
  var note = document.getElementById('live');
  if (!note) return;
  if (Date.now() - heard > 60000) {
    note.textContent = '更新が止まっています';
    note.className = 'live stale';
  } else {
    note.textContent = '自動で更新されます（' + two(updated.getHours()) + ':' +
        two(updated.getMinutes()) + ':' + two(updated.getSeconds()) + ' 更新）';
    note.className = 'live';
  }
}
// A failure is shown, not swallowed: on the note's tooltip and in the browser's console.
function complain(what, e) {
  var text = what + '（' + (e && e.message || e) + '）';
  var note = document.getElementById('live');
  if (note) note.title = text;
  if (window.console) console.warn(text);
}
function watch(seen) {
  var source = null, pause = 5000;
  function poll() {
    fetch(base + '/api/event', {cache: 'no-store'}).then(function (r) {
      if (!r.ok) throw new Error(String(r.status));
      return r.json();
    }).then(function (j) { heard = Date.now(); seen(j.version); }).catch(function (e) {
      complain('更新を確かめられませんでした', e);
    });
  }
  function listen() {
    if (!window.EventSource) { setInterval(poll, 3000); return; }
    source = new EventSource(base + '/api/changes');
    source.addEventListener('version', function (e) {
      heard = Date.now();
      pause = 5000;
      try { seen(JSON.parse(e.data).version); } catch (x) { complain('更新の知らせを読めませんでした', x); }
    });
    source.onerror = function () {
      source.close();
      source = null;
      poll();
      var polling = setInterval(poll, 3000);
      setTimeout(function () { clearInterval(polling); listen(); }, pause);
      pause = Math.min(pause * 2, 60000);
    };
  }
  listen();
  setInterval(function () {
    if (source && source.readyState === 1) heard = Date.now();
    showContact();
  }, 5000);
  showContact();
}
)js";

// Reads the page again and puts its style, header and content in place of the old ones,
// which keeps the scroll position; `after` runs once the new content is in. A read that
// fails is tried again a few seconds later.
constexpr std::string_view kRefresh = R"js(
var version = document.body.getAttribute('data-version');
var busy = false, again = false;
function refresh(after) {
  if (busy) { again = true; return; }
  busy = true;
  var failed = false;
  fetch(location.pathname, {cache: 'no-store'}).then(function (r) {
    if (!r.ok) throw new Error(String(r.status));
    return r.text();
  }).then(function (t) {
    var d = new DOMParser().parseFromString(t, 'text/html');
    ['style', 'header', 'main'].forEach(function (name) {
      var now = document.querySelector(name), next = d.querySelector(name);
      if (now && next) now.parentNode.replaceChild(document.importNode(next, true), now);
    });
    version = d.body.getAttribute('data-version');
    document.body.setAttribute('data-version', version);
    heard = Date.now();
    updated = new Date();
    showContact();
    if (after) after();
  }).catch(function (e) { failed = true; complain('ページを読み直せませんでした', e); }).then(function () {
    busy = false;
    if (again || failed) {
      again = false;
      setTimeout(function () { refresh(after); }, failed ? 3000 : 0);
    }
  });
}
)js";

constexpr std::string_view kLive = R"js(
watch(function (v) { if (String(v) !== version) refresh(); });
)js";

// The display shows one section at a time. A long list is laid out for the screen it is shown
// on: as many columns of it side by side as the width holds, each as many rows as the height
// holds, and the pages turn the faster the more of them there are, so that a whole cycle stays
// under forty seconds (never under four seconds a page). On the wall the standings show the
// record and the first keys; the whole list with every tie-break is /standings. The body's
// data-layout says how the lists were cut, for whoever checks it.
constexpr std::string_view kDisplay = R"js(
var pages = [], at = 0, timer = null, dwell = 10000;
function sections() { return document.querySelectorAll('main section'); }
function listOf(section) { return section.querySelector('table.list'); }
function rowsOf(table) { return table ? table.tBodies[0].rows : []; }
function clearColumns(section) {
  var old = section.querySelectorAll('.cols'), i;
  for (i = 0; i < old.length; i++) old[i].parentNode.removeChild(old[i]);
  var table = listOf(section);
  if (table) table.parentNode.hidden = false;
}
// The page's rows as columns: each a copy of the list's head and its share of the rows.
function showColumns(p) {
  var table = listOf(p.section);
  clearColumns(p.section);
  if (!table) return;
  var holder = document.createElement('div'), rows = rowsOf(table), c, i;
  holder.className = 'cols';
  for (c = 0; c < p.columns.length; c++) {
    var part = table.cloneNode(false), body = document.createElement('tbody');
    if (table.tHead) part.appendChild(table.tHead.cloneNode(true));
    for (i = p.columns[c][0]; i < p.columns[c][1]; i++) body.appendChild(rows[i].cloneNode(true));
    part.appendChild(body);
    holder.appendChild(part);
  }
  table.parentNode.hidden = true;
  table.parentNode.parentNode.insertBefore(holder, table.parentNode.nextSibling);
}
function show() {
  if (!pages.length) return;
  var p = pages[at], all = sections(), i;
  for (i = 0; i < all.length; i++) all[i].hidden = all[i] !== p.section;
  showColumns(p);
  var count = document.getElementById('page');
  if (count) count.textContent = pages.length > 1 ? (at + 1) + ' / ' + pages.length : '';
}
// Cuts one section's rows into pages of columns that fit the window.
function cut(s) {
  var table = listOf(s), rows = rowsOf(table), j;
  if (!rows.length) { pages.push({section: s, columns: [[0, 0]]}); return; }
  var gap = parseFloat(getComputedStyle(document.body).fontSize);
  var width = document.documentElement.clientWidth - 2 * parseFloat(getComputedStyle(document.body).paddingLeft);
  var columns = Math.max(1, Math.min(3, Math.floor((width + gap) / (table.getBoundingClientRect().width + gap))));
  var head = table.tHead ? table.tHead.getBoundingClientRect().height : 0;
  var top = table.getBoundingClientRect().top + head;
  var tail = s.getBoundingClientRect().bottom - table.getBoundingClientRect().bottom;
  var room = Math.max(window.innerHeight - top - tail - 8, 1);
  var page = [], start = 0, used = 0;
  for (j = 0; j < rows.length; j++) {
    var h = rows[j].getBoundingClientRect().height;
    if (used + h > room && j > start) {
      page.push([start, j]);
      if (page.length === columns) { pages.push({section: s, columns: page}); page = []; }
      start = j;
      used = 0;
    }
    used += h;
  }
  page.push([start, rows.length]);
  pages.push({section: s, columns: page});
}
function layout() {
  pages = [];
  var all = sections(), i;
  for (i = 0; i < all.length; i++) { clearColumns(all[i]); all[i].hidden = true; }
  window.scrollTo(0, 0);
  for (i = 0; i < all.length; i++) {
    all[i].hidden = false;
    cut(all[i]);
    all[i].hidden = true;
  }
  dwell = Math.max(4000, Math.min(12000, Math.floor(36000 / Math.max(pages.length, 1))));
  document.body.setAttribute('data-layout', JSON.stringify({dwell: dwell, pages: pages.map(function (p) {
    return {section: p.section.id, columns: p.columns.map(function (c) { return c[1] - c[0]; })};
  })}));
  at = 0;
  show();
  if (timer) clearInterval(timer);
  timer = setInterval(function () {
    if (pages.length > 1) { at = (at + 1) % pages.length; show(); }
  }, dwell);
}
window.addEventListener('resize', layout);
layout();
watch(function (v) { if (String(v) !== version) refresh(layout); });
)js";

// A page's elements: made with a class and a text (always as text), buttons with their action.
constexpr std::string_view kElements = R"js(
function el(tag, cls, text) {
  var e = document.createElement(tag);
  if (cls) e.className = cls;
  if (text !== undefined && text !== null) e.textContent = String(text);
  return e;
}
function button(text, cls, action) {
  var b = el('button', cls, text);
  b.type = 'button';
  b.addEventListener('click', action);
  return b;
}
)js";

// The result desk and the organiser's page: the boards of a round as large buttons, a choice
// of result, a confirmation that shows both names, and the request.
constexpr std::string_view kBoards = R"js(
var admin = document.body.getAttribute('data-mode') === 'admin';
var key = null, version = null;
var state = {event: null, pairings: null, round: null};
var list = document.getElementById('boards');
var search = document.getElementById('search');
var overlay = document.getElementById('overlay');
var box = document.getElementById('box');
var note = document.getElementById('note');
function say(text, bad) {
  note.textContent = text || '';
  note.className = bad ? 'status bad' : 'status';
}
function sideOf(p) { return p.side ? p.side + ' ' : ''; }
function outcome(b) {
  var a = b.players[0], c = b.players[1];
  if (a.result === 'win') return a.name + ' の勝ち';
  if (a.result === 'loss') return c.name + ' の勝ち';
  if (a.result === 'draw') return '引き分け';
  return '';
}
function plain(q) {
  return q.replace(/[０-９]/g, function (d) {
    return String.fromCharCode(d.charCodeAt(0) - 0xFEE0);
  }).replace(/^\s+|\s+$/g, '');
}
function matches(b, q) {
  if (!q || String(b.board) === q) return true;
  return b.players[0].name.indexOf(q) >= 0 || b.players[1].name.indexOf(q) >= 0;
}
function close() { overlay.hidden = true; box.textContent = ''; }
function dialog(lines, actions) {
  box.textContent = '';
  lines.forEach(function (l) { box.appendChild(el('p', l[0], l[1])); });
  var row = el('div', 'actions');
  actions.forEach(function (a) { row.appendChild(button(a[0], a[1], a[2])); });
  box.appendChild(row);
  overlay.hidden = false;
}
function gameLine(b) {
  return '盤' + b.board + '　' + sideOf(b.players[0]) + b.players[0].name + '　対　' +
      sideOf(b.players[1]) + b.players[1].name;
}
function request(method, path, body, signed) {
  var options = {method: method, cache: 'no-store', headers: {}};
  if (method !== 'GET' || signed) {
    var text = body === undefined ? '' : JSON.stringify(body);
    // The key never leaves the page: each change carries its signature instead.
    if (key) options.headers = signedHeaders(key, method, path, text);
    if (body !== undefined) {
      options.headers['Content-Type'] = 'application/json';
      options.body = text;
    }
  }
  return fetch(path, options).then(function (r) {
    return r.json().catch(function () { return {}; }).then(function (j) {
      return {ok: r.ok, status: r.status, json: j};
    });
  });
}
function failed(r) { say(r.json.error || ('エラー ' + r.status), true); }
function offline(e) {
  say('送信できませんでした。通信を確かめてください。（' + (e && e.message || e) + '）', true);
}
function send(b, result) {
  close();
  say('送信しています…');
  var round = state.pairings.round;
  request('POST', base + (admin ? '/api/results' : '/api/desk/results'),
          {round: round, row: b.players[0].row, result: result}).then(function (r) {
    if (r.ok) say(r.json.message || (round + '回戦 盤' + b.board + ' の結果を受け付けました。'));
    else failed(r);
    load();
  }).catch(offline);
}
// A correction shows the result it replaces beside the new one.
function confirmPick(b, result, label) {
  var lines = [['game', gameLine(b)]];
  if (b.players[0].result !== null) {
    lines.push(['was', 'いまの結果：' + outcome(b)]);
    lines.push(['picked', '新しい結果：' + label]);
    lines.push(['ask', 'この訂正を送りますか？']);
  } else {
    lines.push(['picked', label]);
    lines.push(['ask', 'この結果を送りますか？']);
  }
  dialog(lines,
         [['送る', 'send', function () { send(b, result); }],
          ['戻る', 'back', function () { choose(b); }]]);
}
function choose(b) {
  var a = b.players[0], c = b.players[1];
  var picks = [[a.name + ' の勝ち', 'win'], [c.name + ' の勝ち', 'loss'], ['引き分け', 'draw']];
  if (admin && a.result !== null) picks.push(['結果を取り消す', 'clear']);
  var actions = picks.map(function (p) {
    return [p[0], 'pick', function () { confirmPick(b, p[1], p[0]); }];
  });
  if (admin) actions.push(['休場・棄権…', 'pick', function () { absenceMenu(b); }]);
  actions.push(['戻る', 'back', close]);
  dialog([['game', gameLine(b)], ['ask', '結果を選んでください。']], actions);
}
// The organiser's menu of a board's players: sitting out the next round, withdrawing from it
// on, or taking either back; a paired game it touches is asked about first.
function absenceMenu(b) {
  var next = state.pairings.round + 1, actions = [];
  b.players.forEach(function (p) {
    actions.push([p.name + ' を' + next + '回戦から棄権', 'pick',
                  function () { absence('POST', {row: p.row, from: next}); }]);
    actions.push([p.name + ' を' + next + '回戦だけ休場', 'pick',
                  function () { absence('POST', {row: p.row, round: next}); }]);
    actions.push([p.name + ' の休場・棄権を取り消す', 'pick',
                  function () { absence('DELETE', {row: p.row, from: next}); }]);
  });
  actions.push(['戻る', 'back', function () { choose(b); }]);
  dialog([['game', gameLine(b)], ['ask', '休場・棄権にする人を選んでください。']], actions);
}
function absence(method, body) {
  close();
  request(method, base + '/api/absences', body).then(function (r) {
    if (r.ok) say('休場・棄権を変更しました（' + r.json.rounds + '回戦分）。');
    else if (r.status === 409 && r.json.question) askGame(method, body, r.json);
    else failed(r);
    load();
  }).catch(offline);
}
function askGame(method, body, q) {
  var again = function (game) { return function () { body.game = game; absence(method, body); }; };
  var actions = q.question === 'drop' ? [['対局を取り消して休場にする', 'send', again('drop')]]
      : [['対局を残す', 'send', again('keep')], ['対局を取り消す', 'pick', again('drop')]];
  actions.push(['戻る', 'back', close]);
  dialog(q.error.split('\n').map(function (l) { return ['ask', l]; }), actions);
}
function postPair(body) {
  close();
  say('組み合わせています…');
  request('POST', base + '/api/pair', body).then(function (r) {
    if (r.ok) {
      state.round = null;
      say(r.json.round + '回戦を組み合わせました。');
      if (r.json.note)
        dialog(r.json.note.split('\n').map(function (l) { return ['ask', l]; }),
               [['閉じる', 'back', close]]);
    }
    else if (r.status === 409 && r.json.candidates) { say(''); askBye(r.json); }
    else failed(r);
    load();
  }).catch(offline);
}
// The button is offered only once every result is in, so one tap pairs.
function pair() { postPair(); }
// An odd round: the program's proposal to confirm, or another participant from the list; the
// bye and the pairing are then one request.
function askBye(odd) {
  var lines = odd.error.split('\n').map(function (l) { return ['ask', l]; });
  var actions = [];
  odd.candidates.forEach(function (c) {
    if (c.row === odd.proposal)
      actions.push([c.name + ' を抜け番にして組み合わせる', 'send',
                    function () { postPair({bye: c.row}); }]);
  });
  if (odd.candidates.length)
    actions.push(['ほかの人を選ぶ', 'pick', function () { chooseBye(odd); }]);
  actions.push(['戻る', 'back', close]);
  dialog(lines, actions);
}
function chooseBye(odd) {
  var actions = odd.candidates.map(function (c) {
    var label = c.name + '（' + c.place + '位' + (c.byes ? '、抜け番' + c.byes + '回' : '') + '）';
    return [label, 'pick', function () { postPair({bye: c.row}); }];
  });
  actions.push(['戻る', 'back', function () { askBye(odd); }]);
  dialog([['ask', '抜け番にする人を選んでください（下位から順）。']], actions);
}
function render() {
  var p = state.pairings, heading = document.getElementById('round');
  var count = document.getElementById('open');
  list.textContent = '';
  if (!p || p.round === null) {
    heading.textContent = '';
    if (count) count.textContent = '';
    list.appendChild(el('p', 'none', 'まだ組み合わせがありません。'));
    return;
  }
  heading.textContent = p.round + '回戦';
  var q = plain(search.value), open = 0, shown = 0;
  p.boards.forEach(function (b) {
    var done = b.players[0].result !== null;
    if (!done) open++;
    if (!matches(b, q)) return;
    shown++;
    var item = el('button', done ? 'board done' : 'board');
    item.type = 'button';
    item.appendChild(el('span', 'num', b.board));
    var names = el('span', 'names');
    names.appendChild(el('span', 'name', sideOf(b.players[0]) + b.players[0].name));
    names.appendChild(el('span', 'vs', '対'));
    names.appendChild(el('span', 'name', sideOf(b.players[1]) + b.players[1].name));
    if (b.handicap && b.handicap !== '平手') names.appendChild(el('span', 'hc', b.handicap));
    names.appendChild(el('span', 'res', done ? outcome(b) : '未入力'));
    item.appendChild(names);
    if (done && !admin) item.disabled = true;
    else item.addEventListener('click', function () { choose(b); });
    list.appendChild(item);
  });
  if (!shown) list.appendChild(el('p', 'none', q ? '見つかりません。' : '対局がありません。'));
  sittingOut(p.sittingOut || []);
  if (count) count.textContent = '結果の未入力 ' + open + '組';
}
// The round's bye and absences, under the boards.
function sittingOut(rows) {
  [['bye', '抜け番：'], ['absent', '休場：']].forEach(function (kind) {
    var names = rows.filter(function (r) { return r.kind === kind[0]; }).map(function (r) {
      return r.name;
    });
    if (names.length) list.appendChild(el('p', 'sitting', kind[1] + names.join('、')));
  });
}
// Why the next round cannot be paired yet; empty when it can.
function pairBlocked(e) {
  if (e.locked) return '変更禁止のため組み合わせできません。';
  var k = e.latestPairedRound;
  if (!k) return '';
  if (k >= e.games) return '全' + e.games + '回戦の組み合わせが済んでいます。';
  if (e.lastCompleteRound === k) return '';
  var p = state.pairings, open = 0;
  if (p && p.round === k)
    p.boards.forEach(function (b) { if (b.players[0].result === null) open++; });
  return k + '回戦の結果がそろってから組み合わせられます' + (open ? '（未入力 ' + open + '組）' : '') + '。';
}
function nav() {
  if (!admin) return;
  var e = state.event, k = state.pairings.round;
  document.getElementById('prev').disabled = !k || k <= 1;
  document.getElementById('next').disabled = !k || !e.latestPairedRound || k >= e.latestPairedRound;
  document.getElementById('locked').hidden = !e.locked;
  var why = pairBlocked(e), reason = document.getElementById('pairWhy');
  document.getElementById('pair').disabled = !!why;
  if (reason) {
    reason.textContent = why;
    reason.hidden = !why;
  }
  // Every result of the latest round is in: the next round is offered, never paired unasked.
  var all = document.getElementById('complete');
  if (all) all.hidden = !(e.latestPairedRound && e.lastCompleteRound === e.latestPairedRound &&
                          e.latestPairedRound < e.games);
}
var kinds = {window: 'ウィンドウ', cli: 'toq-cli', organiser: '運営者のページ', desk: '結果受付',
             reception: '受付', file: '他のプログラム'};
function whoText(w) {
  var t = kinds[w.kind] || w.kind;
  if (w.kind === 'desk' && w.round) t += ' ' + w.round + '回戦 盤' + w.board;
  return w.address ? t + ' (' + w.address + ')' : t;
}
// The organiser's page: the boards whose players disagree, and the latest changes with who
// made them.
function journal() {
  var d = state.event.disagreements || [];
  var list = document.getElementById('disagreement-list');
  var changes = document.getElementById('change-list');
  if (!list || !changes) return;
  list.textContent = '';
  d.forEach(function (x) {
    list.appendChild(el('li', '', x.round + '回戦 盤' + x.board + '：入力 ' + x.entered +
                                      '、報告 ' + x.reported));
  });
  document.getElementById('disagreements').hidden = d.length === 0;
  if (!key) return;
  request('GET', base + '/api/history?limit=10', undefined, true).then(function (r) {
    changes.textContent = '';
    if (!r.ok) return;
    r.json.steps.forEach(function (s) {
      changes.appendChild(el('li', '', s.time.slice(11) + '　' + whoText(s.who) + '　' + s.label));
    });
  }).catch(function () {});
}
var retrying = false;
function load() {
  var path = base + '/api/pairings' + (state.round ? '?round=' + state.round : '');
  Promise.all([request('GET', base + '/api/event'), request('GET', path)]).then(function (r) {
    if (!r[0].ok || !r[1].ok) throw new Error('load');
    state.event = r[0].json;
    state.pairings = r[1].json;
    version = state.event.version;
    heard = Date.now();
    updated = new Date();
    render();
    nav();
    if (admin) journal();
  }).catch(function (e) {
    say('読み込めませんでした。（' + (e && e.message || e) + '）', true);
    // Tried again a few seconds later.
    if (retrying) return;
    retrying = true;
    setTimeout(function () { retrying = false; load(); }, 3000);
  });
}
if (admin) {
  // The key stands after '#', which the browser never sends; it is kept for this tab only and
  // taken off the address bar.
  var m = /^#(.+)$/.exec(location.hash);
  try {
    if (m) {
      key = decodeURIComponent(m[1]);
      history.replaceState(null, '', base + '/admin');
      sessionStorage.setItem('toq-key', key);
    } else {
      key = sessionStorage.getItem('toq-key');
    }
  } catch (x) {
    say('鍵を保存できませんでした（' + x.message + '）。このタブを閉じずに使ってください。', true);
  }
  if (!key) say('主催者用のURL（鍵付き）から開いてください。', true);
  document.getElementById('prev').addEventListener('click', function () {
    state.round = state.pairings.round - 1;
    load();
  });
  document.getElementById('next').addEventListener('click', function () {
    var n = state.pairings.round + 1;
    state.round = n >= state.event.latestPairedRound ? null : n;
    load();
  });
  document.getElementById('pair').addEventListener('click', pair);
}
search.addEventListener('input', render);
overlay.addEventListener('click', function (e) { if (e.target === overlay) close(); });
load();
watch(function (v) { if (v !== version) load(); });
)js";

// Type as large as the screen's height and width allow together, rows that never wrap so
// that they all stand as high, the columns of a list side by side.
constexpr std::string_view kDisplayStyle = R"css(
[hidden]{display:none!important}
body.display{font-size:clamp(14px,min(3.2vh,2vw),60px);padding:.25em .6em;line-height:1.25}
.display header h1{font-size:1.1em;margin:0}
.display .meta{font-size:.55em}
.display nav,.display .note,.display .rule,.display #chart{display:none}
.display section{margin-top:.2em}
.display h2{font-size:.9em;margin:0 0 .2em}
.display .list{font-size:1em;width:auto}
.display .list th,.display .list td{padding:.06em .35em;white-space:nowrap}
.display .scroll{overflow:visible}
.display .res{margin-left:.3em}
.display .cols{display:flex;gap:1em;align-items:flex-start}
.display table.standings:not(.prize) :is(th,td):nth-child(n+5),
.display table.prize :is(th,td):nth-child(n+6){display:none}
.display .prize tr.top1 td,.display .prize tr.top2 td,.display .prize tr.top3 td{
font-size:1.25em;font-weight:bold}
.display .prize tr.top1 td{color:#8a5a00}
#page{float:right;font-size:.6em;color:#6b6f80}
@media (max-width:600px){body.display{font-size:13px;padding:.3em .4em}
.display .list th,.display .list td{white-space:normal}}
)css";

constexpr std::string_view kBoardsStyle = R"css(
[hidden]{display:none!important}
.lead{margin:.3em 0 .7em}
#search{width:100%;font:inherit;font-size:1.2em;padding:.5em .7em;border:2px solid #9aa3c4;
border-radius:.5em}
.status{min-height:1.5em;margin:.6em 0}
.status.bad{color:#a00000;font-weight:bold}
.boards{display:grid;grid-template-columns:repeat(auto-fill,minmax(17em,1fr));gap:.6em}
.board{display:flex;align-items:center;gap:.7em;width:100%;min-height:4.4em;padding:.6em .8em;
font:inherit;font-size:1.1em;text-align:left;color:#1b1b1f;background:#fff;
border:2px solid #3d4a7a;border-radius:.6em;cursor:pointer}
.board.done{background:#f1f2f6;border-color:#c4c8d8;color:#55596a;cursor:default}
.board .num{font-size:1.6em;font-weight:bold;min-width:1.8em;text-align:center;color:#23306a}
.board .names{flex:1;display:flex;flex-direction:column;min-width:0}
.board .name{overflow-wrap:anywhere}
.board .vs{font-size:.8em;color:#777}
.board .hc{font-size:.8em;color:#9a5b00}
.board .res{margin-top:.2em;font-size:.85em;color:#23306a}
.board.done .res{color:#2f6b2f;font-weight:bold}
.tools{display:flex;flex-wrap:wrap;gap:.5em;margin:.6em 0}
.tools button,.tools a{font:inherit;padding:.5em 1em;border-radius:.5em;border:1px solid #3d4a7a;
background:#eceef6;color:#23306a;text-decoration:none}
.tools button.primary{background:#23306a;color:#fff}
.tools button:disabled{opacity:.4}
.locked{color:#a00000;font-weight:bold}
.complete{align-self:center;color:#2f6b2f;font-weight:bold}
.disagreements{border:2px solid #b22;padding:.2em .8em;margin:.5em 0;color:#b22}
.changes ul,.disagreements ul{margin:.2em 0;padding-left:1.2em}
.changes li{font-size:.9em}
.why{align-self:center;color:#6b4a00}
.sitting{grid-column:1/-1;margin:.3em 0;color:#3d4a7a}
.box .was{color:#777}
.overlay{position:fixed;top:0;right:0;bottom:0;left:0;background:rgba(0,0,0,.45);display:flex;
align-items:center;justify-content:center;padding:1em;z-index:10}
.box{background:#fff;border-radius:.8em;padding:1.2em;max-width:34em;width:100%;font-size:1.15em}
.box p{margin:.3em 0}
.box .game{font-weight:bold}
.box .picked{font-size:1.4em;color:#23306a;font-weight:bold}
.actions{display:flex;flex-direction:column;gap:.5em;margin-top:1em}
.actions button{font:inherit;padding:.8em;border-radius:.6em;border:2px solid #3d4a7a;
background:#fff;color:#1b1b1f}
.actions button.send{background:#23306a;color:#fff}
.actions button.back{border-color:#999;color:#444}
)css";

// A page's script: its own part inside a function, after the parts it uses.
std::string wrap(std::initializer_list<std::string_view> parts) {
  std::string s = "(function () {\n'use strict';";
  for (std::string_view p : parts) s += p;
  return s + "})();\n";
}

}  // namespace

std::string_view live() {
  static const std::string script = wrap({kWatch, kRefresh, kLive});
  return script;
}

std::string_view display() {
  static const std::string script = wrap({kWatch, kRefresh, kDisplay});
  return script;
}

std::string_view boards() {
  static const std::string script = wrap({kWatch, signing(), kElements, kBoards});
  return script;
}

std::string withElements(std::string_view part) {
  return wrap({kElements, part});
}

std::string_view displayStyle() {
  return kDisplayStyle;
}

std::string_view boardsStyle() {
  return kBoardsStyle;
}

}  // namespace toq::server::scripts
