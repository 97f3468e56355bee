#include "html_page_style.h"

namespace dictdump {

// Sections off screen are neither laid out nor painted
// (content-visibility), and the nav is laid out on its own (contain), which
// keeps a page of thousands of tables quick to load and to filter. The
// nav's items are plain blocks, not list items: hiding one list item makes
// the browser renumber every item after it, and a filter that hides 1,900
// of 2,000 links took 250 ms that way and takes 20 ms as blocks.
const char* const kHtmlStyle = R"(
:root{color-scheme:light dark;--bg:#fff;--fg:#1f2328;--muted:#59636e;--line:#d1d9e0;--head:#f6f8fa;--link:#0969da;--side:#f6f8fa}
@media (prefers-color-scheme:dark){:root{--bg:#0d1117;--fg:#e6edf3;--muted:#9198a1;--line:#3d444d;--head:#151b23;--link:#4493f8;--side:#010409}}
*{box-sizing:border-box}
html{scroll-padding-top:1rem}
body{margin:0;background:var(--bg);color:var(--fg);font:15px/1.45 system-ui,sans-serif;display:grid;grid-template-columns:17rem minmax(0,1fr);grid-template-areas:"nav head" "nav main" "nav foot"}
header{grid-area:head;padding:1rem 2rem 0}
main{grid-area:main;padding:0 2rem}
footer{grid-area:foot;padding:1rem 2rem 2rem;color:var(--muted);font-size:.85rem;border-top:1px solid var(--line)}
nav{grid-area:nav;contain:strict;position:sticky;top:0;height:100vh;overflow-y:auto;background:var(--side);border-right:1px solid var(--line);padding:1rem}
nav ul{list-style:none;margin:.5rem 0 0;padding:0}
nav li{display:block}
nav li a{display:block;padding:.1rem .3rem;border-radius:4px;overflow-wrap:anywhere;text-decoration:none}
nav li a:hover{background:var(--head)}
#dd_search{width:100%;padding:.35rem .5rem;font:inherit;color:inherit;background:var(--bg);border:1px solid var(--line);border-radius:6px}
html:not(.dd_js) #dd_search{display:none}
#dd_count{color:var(--muted);font-size:.8rem;min-height:1.1em;margin-top:.2rem}
[hidden]{display:none!important}
a{color:var(--link)}
h1{font-size:1.5rem;margin:.2rem 0 .6rem}
h2{font-size:1.25rem;margin:0 0 .5rem;overflow-wrap:anywhere}
h3{font-size:1rem;margin:1rem 0 .3rem}
main>section{content-visibility:auto;contain-intrinsic-size:auto 900px;padding:1.2rem 0;border-bottom:1px solid var(--line)}
table{border-collapse:collapse;font-size:.9rem;margin:.2rem 0}
th,td{border:1px solid var(--line);padding:.2rem .5rem;text-align:left;vertical-align:top}
th{background:var(--head);font-weight:600}
td{font-variant-numeric:tabular-nums}
.fields td:first-child,.constraints td:nth-child(n+2),.indexes td:first-child,.indexes td:nth-child(5){text-align:right}
.facts{margin:.3rem 0;overflow-wrap:anywhere}
.summary td{font-variant-numeric:tabular-nums;text-align:right}
.none{color:var(--muted);margin:.2rem 0}
@media (max-width:50rem){body{display:flex;flex-direction:column}header{order:-2}nav{order:-1;contain:none;position:static;height:auto;max-height:40vh}}
@media print{
:root{--bg:#fff;--fg:#000;--muted:#444;--line:#999;--head:#eee;--link:#000}
body{display:flex;flex-direction:column;font-size:10pt}
header{order:-1}
nav{display:none}
main>section{content-visibility:visible;break-inside:avoid-page}
a{text-decoration:none}
}
)";

// Typing hides the links whose table names lack the text (in any case);
// '/' anywhere but in a field puts the cursor in the search box.
const char* const kHtmlScript = R"(
(function(){
document.documentElement.classList.add('dd_js');
var box=document.getElementById('dd_search'),count=document.getElementById('dd_count');
var items=Array.prototype.slice.call(document.querySelectorAll('#dd_tables li'));
var names=items.map(function(li){return li.textContent.toLowerCase();});
function filter(){
var text=box.value.trim().toLowerCase(),shown=0;
for(var i=0;i<items.length;i++){var hide=text!==''&&names[i].indexOf(text)<0;if(items[i].hidden!==hide)items[i].hidden=hide;if(!hide)shown++;}
count.textContent=text===''?'':shown+' of '+items.length+' tables';
}
box.addEventListener('input',filter);
document.addEventListener('keydown',function(e){
if(e.key!=='/'||e.ctrlKey||e.metaKey||e.altKey)return;
var t=e.target.tagName;if(t==='INPUT'||t==='TEXTAREA'||t==='SELECT'||e.target.isContentEditable)return;
e.preventDefault();box.focus();box.select();
});
if(box.value)filter();
})();
)";

}  // namespace dictdump
