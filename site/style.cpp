// The site's one stylesheet: readable from a phone to a desktop; on a narrow screen nothing scrolls
// sideways: wide tables turn into one block per row, the bracket into one column.
#include "site/html.h"

namespace site {

std::string_view Stylesheet() {
    return R"css(:root { --blue: #12306b; --gold: #f2b705; --green: #1c7c3c; --grey: #eef1f6; --text: #1b1f29; }
* { box-sizing: border-box; }
body { margin: 0; font: 16px/1.5 "DejaVu Sans", system-ui, sans-serif; color: var(--text); background: #fafbfd; }
header.site { display: flex; flex-wrap: wrap; align-items: center; gap: .5rem 1.5rem; padding: .6rem 1rem;
  background: var(--blue); color: #fff; border-bottom: 4px solid var(--gold); }
header.site a { color: #fff; text-decoration: none; }
.brand { font-weight: bold; font-size: 1.4rem; letter-spacing: .04em; }
nav { display: flex; flex-wrap: wrap; gap: .2rem .9rem; }
nav a { padding: .15rem .1rem; border-bottom: 2px solid transparent; }
nav a:hover, nav a.current { border-bottom-color: var(--gold); }
nav.langs { margin-left: auto; gap: .2rem .6rem; font-size: .9rem; }
nav.langs a.current { font-weight: bold; }
main { max-width: 64rem; margin: 0 auto; padding: 1rem; }
h1 { color: var(--blue); font-size: 1.6rem; margin: .4rem 0 1rem; overflow-wrap: break-word; }
h2 { color: var(--blue); font-size: 1.2rem; margin: 1.6rem 0 .6rem; border-bottom: 1px solid #cfd6e4; }
a { color: #1a4fb5; }
.news { background: #fff8dc; border-left: 4px solid var(--gold); padding: .6rem 1rem; margin: 0 0 1rem; }
.news p { margin: .2rem 0; }
.grid { display: grid; grid-template-columns: repeat(auto-fill, minmax(18rem, 1fr)); gap: 1rem; }
.card { background: #fff; border: 1px solid #d8deea; border-radius: 6px; padding: .5rem .7rem; overflow-x: auto; }
.card h3 { margin: 0 0 .3rem; font-size: 1rem; color: var(--blue); }
table { border-collapse: collapse; width: 100%; }
th, td { padding: .2rem .35rem; text-align: right; white-space: nowrap; }
/* A pseudonym of 24 letters without a space, or a long team name, breaks rather than widen its card. */
td { overflow-wrap: anywhere; }
th { font-size: .85rem; color: #4a5570; border-bottom: 1px solid #cfd6e4; }
td.team, th.team { text-align: left; white-space: normal; }
tr.through td { background: #e8f5ec; }
tr.third td { background: #fdf6e0; }
tr:nth-child(even) td { filter: brightness(.98); }
.bracket { display: grid; grid-template-columns: repeat(4, minmax(11rem, 1fr)); gap: .8rem; overflow-x: auto; }
.round h3 { font-size: .95rem; margin: 0 0 .4rem; color: var(--blue); }
.match { background: #fff; border: 1px solid #d8deea; border-radius: 5px; margin-bottom: .5rem; font-size: .9rem; }
.match div { display: flex; justify-content: space-between; gap: .5rem; padding: .1rem .45rem; }
.match .won { font-weight: bold; color: var(--green); }
.match .pen { color: #6b7488; font-size: .8rem; }
.podium { display: flex; flex-wrap: wrap; gap: .6rem; margin: .8rem 0; }
.podium div { background: #fff; border: 1px solid #d8deea; border-radius: 6px; padding: .4rem .8rem; }
.podium .first { border-color: var(--gold); background: #fff8dc; font-weight: bold; }
table.ranking { width: auto; min-width: min(100%, 30rem); }
.ranking td:nth-child(2), .ranking th:nth-child(2), .ranking .who { text-align: left; white-space: normal; }
.ranking td.who ~ td, .ranking th.who ~ th { text-align: right; }
.ranking tr.own td { background: #fff8dc; font-weight: bold; }
.predictions td:nth-child(-n+4), .predictions th:nth-child(-n+4) { text-align: left; }
.predictions td, .match-predictions td { white-space: normal; }
.match-predictions td:nth-child(2), .match-predictions td:nth-child(3), .match-predictions th:nth-child(2),
.match-predictions th:nth-child(3) { text-align: left; }
.note { color: #4a5570; font-size: .9rem; }
.move { font-size: .85rem; }
.move.up { color: var(--green); }
.move.down { color: #b3261e; }
.move.new, .move.level { color: #6b7488; }
.howto li { margin: .2rem 0; }
code { overflow-wrap: anywhere; }
details.password, details.matches { margin: 1rem 0; }
details.password summary, details.matches summary { cursor: pointer; color: #1a4fb5; }
details.matches ul { columns: 16rem; }
input[type=file] { max-width: 100%; }
td.points { font-weight: bold; }
.message { padding: .6rem 1rem; border-radius: 5px; margin: 0 0 1rem; }
.message.ok { background: #e8f5ec; border: 1px solid #9bd0ab; }
.message.error { background: #fdecea; border: 1px solid #f0a8a0; }
form label { display: block; margin: .6rem 0 .2rem; font-weight: bold; }
input[type=text], input[type=email], input[type=password], textarea { width: 100%; max-width: 36rem;
  padding: .4rem; border: 1px solid #aab4c8; border-radius: 4px; font: inherit; }
textarea { min-height: 9rem; }
button, input[type=submit] { margin-top: .8rem; padding: .45rem 1.1rem; border: 0; border-radius: 4px;
  background: var(--blue); color: #fff; font: inherit; cursor: pointer; }
footer { text-align: center; color: #6b7488; font-size: .85rem; padding: 1.5rem 1rem; }
@media (max-width: 40rem) {
  body { font-size: 15px; }
  .bracket { grid-template-columns: 1fr; }
  main { padding: .6rem; }
  .grid { grid-template-columns: 1fr; }
  th { white-space: normal; }
  /* The ranking's five headings, each one word wide, fit a phone in every language. */
  th, td { padding: .2rem .2rem; }
  table.ranking { min-width: 0; width: 100%; }
  table.stack thead { display: none; }
  table.stack, table.stack tbody, table.stack tr, table.stack td { display: block; width: 100%; }
  table.stack tr { border-bottom: 1px solid #d8deea; padding: .35rem 0; }
  table.stack tr:nth-child(even) td { filter: none; }
  table.stack td { text-align: left; white-space: normal; padding: .05rem .2rem; }
  table.stack td::before { content: attr(data-label); display: inline-block; min-width: 7.5rem;
    color: #4a5570; font-size: .85rem; }
  table.stack td:empty { display: none; }
}
)css";
}

}  // namespace site
