#include "services/virtual-lcd/PanelPage.h"

namespace korvan::virtual_lcd {

const char kPanelPage[] = R"html(<!doctype html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Virtual LCD</title>
<style>
  * { box-sizing: border-box; }
  [hidden] { display: none !important; }
  html, body { height: 100%; }
  body { margin: 0; background: #202326; color: #c8ccd0; font: 15px sans-serif; }
  #panel { min-height: 100%; padding: 8px; display: flex; flex-direction: column;
           align-items: center; justify-content: center; gap: 10px; }
  #bezel { background: #111; padding: 6px; border-radius: 8px; }
  #lcd { display: block; width: min(640px, calc(100vw - 28px)); aspect-ratio: 160 / 43;
         image-rendering: pixelated; background: #0b2233; }
  #buttons, #bar { width: min(100%, 640px); }
  #buttons { display: grid; grid-template-columns: repeat(4, 1fr); gap: 8px; }
  button { min-height: 48px; font-size: 17px; color: #e8e8e8; background: #3a3f44;
           border: 1px solid #6b7177; border-radius: 6px; }
  #buttons button { touch-action: none; user-select: none; -webkit-user-select: none; }
  #buttons button.held { background: #8fc7ff; color: #000; }
  #bar { display: flex; flex-wrap: wrap; align-items: center; gap: 8px; }
  #status { flex: 1 1 0; min-width: 0; font: 13px monospace; white-space: nowrap;
            overflow: hidden; text-overflow: ellipsis; }
  #bar button { min-height: 44px; font-size: 15px; padding: 0 14px; }
  @media (max-width: 599px) { #status { flex-basis: 100%; } }
  @media (max-width: 359px) { #buttons { grid-template-columns: repeat(2, 1fr); } }
</style>
</head>
<body>
<div id="panel">
<div id="bezel"><canvas id="lcd" width="160" height="43"></canvas></div>
<div id="buttons">
  <button data-bit="1" title="key 1">1</button>
  <button data-bit="2" title="key 2">2</button>
  <button data-bit="4" title="key 3">3</button>
  <button data-bit="8" title="key 4">4</button>
</div>
<div id="bar">
  <span id="status">waiting for the service</span>
  <button id="save" title="the frame as korvan-frame.png">save PNG</button>
  <button id="full" hidden>full screen</button>
</div>
</div>
<script>
"use strict";
const canvas = document.getElementById("lcd");
const context = canvas.getContext("2d");
const image = context.createImageData(160, 43);
const statusLine = document.getElementById("status");
const history = [];  // [time, seq] of the last seconds, for frames per second
let view = { seq: 0, connected: false, result: 0 };
let mode = "starting";
let reachable = true;

function paint(hex) {
  for (let i = 0; i < 160 * 43; i++) {
    const byte = parseInt(hex.substr((i >> 3) * 2, 2), 16);
    const lit = (byte >> (7 - (i & 7))) & 1;
    const at = i * 4;
    image.data[at] = lit ? 240 : 11;
    image.data[at + 1] = lit ? 246 : 34;
    image.data[at + 2] = lit ? 255 : 51;
    image.data[at + 3] = 255;
  }
  context.putImageData(image, 0, 0);
}

function framesPerSecond() {
  const now = performance.now();
  history.push([now, view.seq]);
  while (history.length > 1 && now - history[0][0] > 2000) history.shift();
  const [then, seq] = history[0];
  return now - then > 0 ? (view.seq - seq) * 1000 / (now - then) : 0;
}

function show(update) {
  reachable = true;
  if (update.pixels) paint(update.pixels);
  view = update;
  const fps = framesPerSecond();
  const push = view.seq === 0 ? "no frame yet"
             : view.result === 0 ? "last push ok" : "last push failed: " + view.result;
  statusLine.textContent = (view.connected ? "connected" : "no device open") + " | " +
      fps.toFixed(1) + " frames/s | " + push + " | " + mode;
}

let polling = null;
function startPolling() {
  if (polling) return;
  mode = "polling";
  let busy = false;
  polling = setInterval(() => {
    if (busy) return;
    busy = true;
    fetch("/frame", { cache: "no-store" }).then(r => r.json()).then(show)
      .catch(() => { reachable = false; statusLine.textContent = "panel unreachable"; })
      .finally(() => { busy = false; });
  }, 200);
}
function stopPolling() {
  if (polling) clearInterval(polling);
  polling = null;
}

function startStream() {
  const source = new EventSource("/events");
  source.onopen = () => { mode = "live"; stopPolling(); };
  source.onmessage = event => show(JSON.parse(event.data));
  source.onerror = () => {
    startPolling();
    if (source.readyState === EventSource.CLOSED) setTimeout(startStream, 5000);
  };
}

// Soft buttons: the mask held on this page, posted in order on every change.
let held = 0;
let posting = Promise.resolve();
function setHeld(mask) {
  if (mask === held) return;
  held = mask;
  for (const button of document.querySelectorAll("#buttons button")) {
    button.classList.toggle("held", (held & Number(button.dataset.bit)) !== 0);
  }
  // JSON, which another site's page cannot send here without asking first.
  const body = JSON.stringify({ mask });
  posting = posting.then(() => fetch("/button", { method: "POST", body,
      headers: { "Content-Type": "application/json" } })).catch(() => {});
}
for (const button of document.querySelectorAll("#buttons button")) {
  const bit = Number(button.dataset.bit);
  button.addEventListener("pointerdown", event => {
    button.setPointerCapture(event.pointerId);
    setHeld(held | bit);
  });
  for (const end of ["pointerup", "pointercancel", "lostpointercapture"]) {
    button.addEventListener(end, () => setHeld(held & ~bit));
  }
  button.addEventListener("contextmenu", event => event.preventDefault());
}
const keyBits = { "1": 1, "2": 2, "3": 4, "4": 8 };
addEventListener("keydown", event => {
  if (keyBits[event.key] && !event.repeat) setHeld(held | keyBits[event.key]);
});
addEventListener("keyup", event => {
  if (keyBits[event.key]) setHeld(held & ~keyBits[event.key]);
});
// A page that loses sight of its buttons lets go of them.
addEventListener("blur", () => setHeld(0));
document.addEventListener("visibilitychange", () => { if (document.hidden) setHeld(0); });

// The LCD as large as the window lets it be, in whole device pixels per
// LCD pixel so it stays crisp; below two, just as wide as there is room.
const BEZEL = 12, GAP = 10, PAD = 16;
function layout() {
  const buttons = document.getElementById("buttons"), bar = document.getElementById("bar");
  const width = document.documentElement.clientWidth - PAD - BEZEL;
  const height = innerHeight - PAD - BEZEL - 2 * GAP - buttons.offsetHeight - bar.offsetHeight;
  const ratio = devicePixelRatio || 1;
  const whole = Math.floor(Math.min(width * ratio / 160, Math.max(height, 0) * ratio / 43));
  const css = whole >= 2 ? 160 * whole / ratio : width;
  canvas.style.width = css + "px";
  canvas.style.height = css * 43 / 160 + "px";
}
addEventListener("resize", layout);
if (window.ResizeObserver) {
  const watch = new ResizeObserver(layout);
  watch.observe(document.getElementById("buttons"));
  watch.observe(document.getElementById("bar"));
}
layout();

const full = document.getElementById("full");
const root = document.documentElement;
const enterFull = root.requestFullscreen || root.webkitRequestFullscreen;
const leaveFull = document.exitFullscreen || document.webkitExitFullscreen;
const inFull = () => document.fullscreenElement || document.webkitFullscreenElement;
if (enterFull && (document.fullscreenEnabled || document.webkitFullscreenEnabled)) {
  full.hidden = false;
  full.addEventListener("click", () => {
    const step = inFull() ? leaveFull.call(document) : enterFull.call(root);
    if (step && step.catch) step.catch(() => {});
  });
  for (const change of ["fullscreenchange", "webkitfullscreenchange"]) {
    document.addEventListener(change, () => {
      full.textContent = inFull() ? "leave full screen" : "full screen";
      layout();
    });
  }
}

const save = document.getElementById("save");
save.addEventListener("click", () => {
  fetch("/frame.png?scale=4", { cache: "no-store" }).then(answer => {
    if (!answer.ok) throw new Error(answer.status === 404 ? "no PNG here" : "not saved");
    return answer.blob();
  }).then(blob => {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(blob);
    link.download = "korvan-frame.png";
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }).catch(error => { save.textContent = error.message; });
});

startStream();
</script>
</body>
</html>
)html";

}  // namespace korvan::virtual_lcd
