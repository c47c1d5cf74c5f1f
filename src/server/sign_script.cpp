#include "server/sign_script.h"

namespace toq::server::scripts {

namespace {

// The round constants and the first hash value are the fractional parts of the cube and
// square roots of the first primes, computed once rather than written out.
constexpr std::string_view kSigning = R"js(
var sha256 = (function () {
  var K = [], H0 = [], n = 2;
  function frac(x) { return ((x - Math.floor(x)) * 4294967296) | 0; }
  while (K.length < 64) {
    var d = 2;
    while (d * d <= n && n % d) d++;
    if (d * d > n) {
      if (H0.length < 8) H0.push(frac(Math.sqrt(n)));
      K.push(frac(Math.pow(n, 1 / 3)));
    }
    n++;
  }
  function rotr(x, r) { return (x >>> r) | (x << (32 - r)); }
  function block(h, m, o, w) {
    var i, a = h[0], b = h[1], c = h[2], e = h[4], f = h[5], g = h[6], dd = h[3], hh = h[7];
    for (i = 0; i < 64; i++) {
      if (i < 16) {
        w[i] = m[o + 4 * i] << 24 | m[o + 4 * i + 1] << 16 | m[o + 4 * i + 2] << 8 | m[o + 4 * i + 3];
      } else {
        var x = w[i - 15], y = w[i - 2];
        w[i] = (w[i - 16] + (rotr(x, 7) ^ rotr(x, 18) ^ (x >>> 3)) + w[i - 7] +
                (rotr(y, 17) ^ rotr(y, 19) ^ (y >>> 10))) | 0;
      }
      var t1 = (hh + (rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25)) + ((e & f) ^ (~e & g)) + K[i] + w[i]) | 0;
      var t2 = ((rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c))) | 0;
      hh = g; g = f; f = e; e = (dd + t1) | 0; dd = c; c = b; b = a; a = (t1 + t2) | 0;
    }
    [a, b, c, dd, e, f, g, hh].forEach(function (v, k) { h[k] = (h[k] + v) | 0; });
  }
  return function (bytes) {
    var m = bytes.slice(), len = bytes.length, h = H0.slice(), w = [], o, k, out = [];
    m.push(0x80);
    while (m.length % 64 !== 56) m.push(0);
    var high = Math.floor(len / 536870912), low = (len * 8) >>> 0;
    for (k = 24; k >= 0; k -= 8) m.push((high >>> k) & 255);
    for (k = 24; k >= 0; k -= 8) m.push((low >>> k) & 255);
    for (o = 0; o < m.length; o += 64) block(h, m, o, w);
    h.forEach(function (v) { for (k = 24; k >= 0; k -= 8) out.push((v >>> k) & 255); });
    return out;
  };
})();
function hmacSha256(key, bytes) {
  if (key.length > 64) key = sha256(key);
  var inner = [], outer = [], i;
  for (i = 0; i < 64; i++) {
    inner.push((key[i] || 0) ^ 0x36);
    outer.push((key[i] || 0) ^ 0x5c);
  }
  return sha256(outer.concat(sha256(inner.concat(bytes))));
}
function utf8(text) {
  if (window.TextEncoder) return Array.prototype.slice.call(new TextEncoder().encode(text));
  var s = unescape(encodeURIComponent(text)), out = [], i;
  for (i = 0; i < s.length; i++) out.push(s.charCodeAt(i));
  return out;
}
function hex(bytes) {
  return bytes.map(function (b) { return (b < 16 ? '0' : '') + b.toString(16); }).join('');
}
var lastSequence = 0;
function signedHeaders(key, method, path, body) {
  lastSequence = Math.max(lastSequence + 1, Date.now());
  var sequence = String(lastSequence);
  var text = method + '\n' + path + '\n' + sequence + '\n' + (body || '');
  return {'X-TOQ-Sequence': sequence, 'X-TOQ-Signature': hex(hmacSha256(utf8(key), utf8(text)))};
}
)js";

}  // namespace

std::string_view signing() {
  return kSigning;
}

}  // namespace toq::server::scripts
