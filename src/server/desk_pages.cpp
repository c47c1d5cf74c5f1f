#include "server/desk_pages.h"

#include "reports/html_text.h"
#include "reports/web_sections.h"
#include "reports/web_texts.h"
#include "server/answers.h"
#include "server/guard_texts.h"
#include "server/page_scripts.h"
#include "server/texts.h"

namespace toq::server {

using reports::element;
using reports::escapeHtml;

namespace {

// The slip desk: the code from the address or the field, then the one board of that slip.
constexpr std::string_view kSlipDesk = R"js(
var base = document.body.getAttribute('data-base') || '';
var field = document.getElementById('code'), list = document.getElementById('boards');
var note = document.getElementById('note'), overlay = document.getElementById('overlay');
var box = document.getElementById('box');
var code = '', game = null;
function say(text, bad) { note.textContent = text || ''; note.className = bad ? 'status bad' : 'status'; }
function failed(e) { say('送信できませんでした。通信を確かめてください。（' + (e && e.message || e) + '）', true); }
function answer(r) {
  return r.json().catch(function () { return {error: 'エラー ' + r.status}; }).then(function (j) {
    return {ok: r.ok, status: r.status, json: j};
  });
}
function named(p) { return (p.side ? p.side + ' ' : '') + p.name; }
function close() { overlay.hidden = true; box.textContent = ''; }
function show() {
  var a = game.players[0], c = game.players[1];
  document.getElementById('round').textContent = game.round + '回戦 盤' + game.board;
  list.textContent = '';
  var item = el('div', a.result ? 'board done' : 'board');
  item.appendChild(el('span', 'num', game.board));
  var names = el('span', 'names');
  names.appendChild(el('span', 'name', named(a)));
  names.appendChild(el('span', 'vs', '対'));
  names.appendChild(el('span', 'name', named(c)));
  if (game.handicap && game.handicap !== '平手') names.appendChild(el('span', 'hc', game.handicap));
  item.appendChild(names);
  list.appendChild(item);
  if (a.result) return say('この対局の結果は入力済みです。変更は主催者に申し出てください。');
  var picks = el('div', 'actions');
  [[a.name + ' の勝ち', 'win'], [c.name + ' の勝ち', 'loss'], ['引き分け', 'draw']].forEach(function (p) {
    picks.appendChild(button(p[0], 'pick', function () { confirmPick(p); }));
  });
  list.appendChild(picks);
}
function confirmPick(p) {
  box.textContent = '';
  box.appendChild(el('p', 'game', '盤' + game.board + '　' + named(game.players[0]) + '　対　' +
                     named(game.players[1])));
  box.appendChild(el('p', 'picked', p[0]));
  box.appendChild(el('p', 'ask', 'この結果を送りますか？'));
  var row = el('div', 'actions');
  row.appendChild(button('送る', 'send', function () { send(p[1]); }));
  row.appendChild(button('戻る', 'back', close));
  box.appendChild(row);
  overlay.hidden = false;
}
function send(result) {
  close();
  say('送信しています…');
  var body = {round: game.round, row: game.players[0].row, result: result, code: code};
  fetch(base + '/api/desk/results', {method: 'POST', cache: 'no-store',
      headers: {'Content-Type': 'application/json'}, body: JSON.stringify(body)})
    .then(answer).then(function (r) {
      if (!r.ok) return say(r.json.error || ('エラー ' + r.status), true);
      game = r.json;
      show();
      say(game.round + '回戦 盤' + game.board + ' の結果を受け付けました。');
    }).catch(failed);
}
function open(typed) {
  code = typed.toUpperCase().replace(/[\s-]/g, '');
  if (code.length !== 8) return say('コードは8文字です。', true);
  say('確かめています…');
  fetch(base + '/api/desk/slip?code=' + encodeURIComponent(code), {cache: 'no-store'})
    .then(answer).then(function (r) {
      if (!r.ok) { list.textContent = ''; return say(r.json.error || ('エラー ' + r.status), true); }
      game = r.json;
      say('');
      show();
    }).catch(failed);
}
document.getElementById('open').addEventListener('click', function () { open(field.value); });
field.addEventListener('keydown', function (e) { if (e.key === 'Enter') open(field.value); });
overlay.addEventListener('click', function (e) { if (e.target === overlay) close(); });
var m = /^#(.+)$/.exec(location.hash);
if (m) { field.value = decodeURIComponent(m[1]); open(field.value); }
)js";

// Stores nothing and sends nothing: it only takes the key off the address bar.
constexpr std::string_view kMoved = R"js(history.replaceState(null, '', location.pathname);
)js";

constexpr std::string_view kDeskStyle = R"css(
.codeform{display:flex;gap:.5em;margin:.6em 0}
#code{flex:1;font:inherit;font-size:1.4em;letter-spacing:.15em;text-transform:uppercase;
padding:.4em .6em;border:2px solid #9aa3c4;border-radius:.5em}
#open{font:inherit;font-size:1.2em;padding:.4em 1em;border-radius:.5em;border:2px solid #23306a;
background:#23306a;color:#fff}
.boards .actions button{font-size:1.15em}
)css";

Page framed(const std::string& title, const std::string& style, const std::string& header,
            const std::string& main, std::string_view script, std::uint64_t version,
            std::string_view base) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      "<meta name=\"referrer\" content=\"no-referrer\">\n";
  html += element("title", title) + "\n<style>" + style + "</style>\n</head>\n";
  html += "<body data-mode=\"slip\" data-version=\"" + std::to_string(version) + "\" data-base=\"" +
          escapeHtml(base) + "\">\n<header>\n" + header + "</header>\n";
  html += "<main>\n" + main + "</main>\n";
  html += "<noscript>" + element("p", escapeHtml(texts::kScriptNeeded), "note") + "</noscript>\n";
  html += "<script>" + std::string(script) + "</script>\n</body>\n</html>\n";
  return {std::move(html), pagePolicy(script)};
}

}  // namespace

std::string_view slipDeskScript() {
  static const std::string script = scripts::withElements(kSlipDesk);
  return script;
}

Page slipDeskPage(const edit::Workspace& ws, std::uint64_t version, std::string_view base) {
  const std::string title = escapeHtml(eventTitle(ws.table));
  const std::string header = element("h1", title) + "\n<p class=\"meta\">" +
                             element("span", escapeHtml(texts::kDeskTitle)) +
                             "<span id=\"round\"></span></p>\n";
  const std::string field = escapeHtml(texts::kDeskCodeField);
  std::string main = element("p", escapeHtml(texts::kDeskCodeLead), "lead") + "\n";
  main +=
      "<div class=\"codeform\"><input id=\"code\" type=\"text\" autocomplete=\"off\" "
      "autocapitalize=\"characters\" maxlength=\"12\" placeholder=\"" +
      field + "\" aria-label=\"" + field + "\"><button id=\"open\" type=\"button\">" +
      escapeHtml(texts::kDeskCodeOpen) + "</button></div>\n";
  main += "<p id=\"note\" class=\"status\" role=\"status\"></p>\n";
  main += "<div id=\"boards\" class=\"boards\"></div>\n";
  main +=
      "<div id=\"overlay\" class=\"overlay\" hidden=\"\"><div id=\"box\" class=\"box\" "
      "role=\"dialog\" aria-modal=\"true\"></div></div>\n";
  const std::string style = std::string(reports::pageStyle()) +
                            std::string(scripts::boardsStyle()) + std::string(kDeskStyle);
  return framed(title, style, header, main, slipDeskScript(), version, base);
}

Page movedAdminPage() {
  const std::string title = escapeHtml(texts::kOldAdminTitle);
  return framed(title, std::string(reports::pageStyle()), element("h1", title) + "\n",
                element("p", escapeHtml(texts::kOldAdminText)) + "\n", kMoved, 0, {});
}

}  // namespace toq::server
