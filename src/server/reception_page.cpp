#include "server/reception_page.h"

#include <string>

#include "reports/html_text.h"
#include "server/sign_script.h"
#include "text/cp932.h"

namespace toq::server::reception {

namespace {

constexpr std::string_view kStyle =
    "body{font-family:sans-serif;margin:0 auto;max-width:40em;padding:.5em}"
    "input,button{font-size:1.2em;padding:.4em;margin:.2em 0;box-sizing:border-box;width:100%}"
    "ul{list-style:none;padding:0}li button{text-align:left}"
    "button:disabled{color:#666;background:#eee}#msg{font-weight:bold;min-height:1.4em}";

constexpr std::string_view kBody =
    "<h1>受付</h1><p id=\"count\"></p>"
    "<input id=\"q\" type=\"search\" placeholder=\"氏名・省略名・ふりがなの一部\" "
    "autocomplete=\"off\">"
    "<p id=\"msg\" role=\"status\"></p><ul id=\"list\"></ul>"
    "<h2>当日参加</h2><form id=\"walkin\"><input id=\"wname\" required placeholder=\"氏名\">"
    "<input id=\"wgrade\" placeholder=\"段級（初段・5級など）\">"
    "<input id=\"wrating\" inputmode=\"numeric\" placeholder=\"または レーティング（空欄は1600）\">"
    "<button>登録して受付</button></form>";

// The key comes from the address after '#' and never leaves the page: every request is
// signed with it (the signing script before this one).
constexpr std::string_view kCalls = R"JS((function(){
var key=decodeURIComponent(location.hash.slice(1)),base=document.body.getAttribute('data-base');
var q=document.getElementById('q'),list=document.getElementById('list');
var count=document.getElementById('count'),msg=document.getElementById('msg');
function say(t){msg.textContent=t;}
function call(method,path,body){
var text=body?JSON.stringify(body):'';
var o={method:method,cache:'no-store',headers:signedHeaders(key,method,base+path,text)};
if(body){o.headers['Content-Type']='application/json';o.body=text;}
return fetch(base+path,o).then(function(r){return r.json().then(function(j){return {ok:r.ok,j:j};});});}
function line(p){return p.name+'　R'+p.rating;}
function load(){call('GET','/api/reception/players?q='+encodeURIComponent(q.value)).then(function(a){
if(!a.ok){say(a.j.error);return;}
count.textContent=a.j.count;list.textContent='';
a.j.players.forEach(function(p){var li=document.createElement('li'),b=document.createElement('button');
b.type='button';b.textContent=line(p)+(p.participant?'　受付済み':'');b.disabled=p.participant;
b.onclick=function(){if(confirm(line(p)+'\n受付しますか？'))call('POST','/api/reception/arrivals',{player:p.player}).then(done,lost);};
li.appendChild(b);list.appendChild(li);});},lost);}
function done(a){say(a.ok?a.j.name+' を受付しました'+(a.j.note?'（'+a.j.note+'）':''):a.j.error);load();}
function lost(){say('通信できませんでした。もう一度どうぞ。');}
q.oninput=load;
document.getElementById('walkin').onsubmit=function(e){e.preventDefault();
var n=document.getElementById('wname').value,r=document.getElementById('wrating').value,b={name:n};
var g=document.getElementById('wgrade').value.trim();if(g!=='')b.grade=g;
if(r!=='')b.rating=r;
if(confirm(n+(g?'　'+g:'')+(r?'　R'+r:'')+'\n当日参加で登録しますか？'))call('POST','/api/reception/players',b).then(done,lost);};
load();})();)JS";

}  // namespace

Page receptionPage(const edit::Workspace& ws, std::string_view base) {
  std::string html =
      "<!DOCTYPE html><html lang=\"ja\"><head><meta charset=\"utf-8\">"
      "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">"
      "<title>受付 ";
  html += reports::escapeHtml(text::toUtf8(ws.table.title));
  html += "</title><style>" + std::string(kStyle) + "</style></head><body data-base=\"";
  html += reports::escapeHtml(base);
  static const std::string script = std::string(scripts::signing()) + std::string(kCalls);
  html += "\">" + std::string(kBody) + "<script>" + script + "</script></body></html>\n";
  return {std::move(html), pagePolicy(script)};
}

}  // namespace toq::server::reception
