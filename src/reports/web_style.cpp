// The web page's style sheet. The chart's cell colours are not here: they come with the chart,
// one rule per colour the view layer gave the cells.

#include "reports/web_sections.h"

namespace toq::reports {

namespace {

constexpr std::string_view kStyle = R"css(
*{box-sizing:border-box}
html{-webkit-text-size-adjust:100%;text-size-adjust:100%}
body{margin:0;padding:14px 18px 28px;color:#1b1b1f;background:#fff;line-height:1.45;
font-size:15px;
font-family:"Hiragino Kaku Gothic ProN","Hiragino Sans","Yu Gothic UI","Yu Gothic",Meiryo,
"Noto Sans CJK JP","Noto Sans JP","IPAexGothic","IPAPGothic","IPAGothic",sans-serif}
h1{font-size:1.45em;margin:0 0 .15em}
h2{font-size:1.12em;margin:0 0 .45em;padding-bottom:.15em;border-bottom:2px solid #3d4a7a}
.meta{margin:0;color:#4a4a55;font-size:.9em}
.meta span{display:inline-block;margin-right:1.1em}
nav{margin:.55em 0 0}
nav a{display:inline-block;margin:0 .35em .3em 0;padding:.2em .85em;border:1px solid #9aa3c4;
border-radius:1em;color:#23306a;text-decoration:none;font-size:.9em}
section{margin-top:1.5em}
.lists{display:flex;flex-wrap:wrap;align-items:flex-start;column-gap:3em}
.lists section{max-width:100%}
.scroll{overflow-x:auto;max-width:100%}
table{border-collapse:separate;border-spacing:0}
th,td{padding:.18em .5em;white-space:nowrap;text-align:left;vertical-align:top}
th{font-weight:normal}
.list{font-size:.95em}
.list th{background:#eceef6;border-bottom:1px solid #8e96b8}
.list td{border-bottom:1px solid #dfe2ee}
.list tbody tr:nth-child(even) td{background:#f7f8fc}
.list .n{text-align:right}
.list .vs{color:#777;padding:.18em .2em}
.list .mark{color:#9a5b00}
.list .undecided{color:#777}
.no{display:inline-block;min-width:1.6em;margin-right:.35em;color:#6b6f80;font-size:.85em;
text-align:right}
.side{display:inline-block;margin-right:.35em;padding:0 .25em;border:1px solid #9aa3c4;
border-radius:3px;font-size:.85em;line-height:1.3}
.out{margin:.45em 0 0}
.out .no{min-width:0;margin-left:.2em}
.note{margin:.45em 0 0;color:#55596a;font-size:.85em}
.none{margin:.2em 0;padding:.6em .8em;background:#f4f5f9;border-left:4px solid #9aa3c4}
.chart{font-size:.88em;line-height:1.35}
.chart th{background:#f0f0f0;border-top:1px solid #b9b9b9;border-bottom:1px solid #8f8f8f;
border-right:1px solid #c9c9c9}
.chart td{border-right:1px solid #d3d3d3;min-width:3.2em}
.chart tr.u td{border-bottom:1px solid #ececec}
.chart tr.v td{border-bottom:1px solid #9e9e9e}
.chart .s0,.chart .s1{position:sticky;z-index:1}
.chart .s0{left:0;width:2.7em;min-width:2.7em;max-width:2.7em;text-align:right}
.chart .s1{left:2.7em;min-width:6.5em;border-right:2px solid #7d7d7d}
.chart th.s0,.chart th.s1{z-index:2}
.legend{list-style:none;margin:.6em 0 0;padding:0;font-size:.88em}
.legend li{display:inline-block;margin:0 1.1em .25em 0}
.swatch{display:inline-block;width:1.1em;height:1.1em;margin-right:.35em;vertical-align:-.18em;
border:1px solid #999}
@media (max-width:600px){
body{padding:10px 10px 22px;font-size:14px}
.list{font-size:.9em}
.list th,.list td{padding:.18em .3em}
.no{min-width:1.2em;margin-right:.25em}
.chart .s1{min-width:0;max-width:10em;overflow:hidden;text-overflow:ellipsis}
}
@page{size:A4 landscape;margin:9mm}
@media print{
*{-webkit-print-color-adjust:exact;print-color-adjust:exact}
body{padding:0;font-size:9pt}
nav{display:none}
section{margin-top:1em}
.lists{display:block}
.scroll{overflow:visible}
h2{break-after:avoid;page-break-after:avoid}
.chart{font-size:8pt}
.chart.many-rounds{font-size:6pt}
.chart .s0,.chart .s1{position:static}
thead{display:table-header-group}
.chart tbody,tr{break-inside:avoid;page-break-inside:avoid}
#chart{break-before:page;page-break-before:always}
}
)css";

}  // namespace

std::string_view pageStyle() {
  return kStyle;
}

}  // namespace toq::reports
