#include "services/virtual-lcd/PanelPage.h"

namespace korvan::virtual_lcd {

const char kPanelPage[] = R"html(<!doctype html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Virtual LCD</title>
<style>
  body { background: #202326; color: #c8ccd0; font: 15px sans-serif; margin: 24px;
         display: flex; flex-direction: column; align-items: center; }
  #lcd { width: 640px; max-width: 96vw; aspect-ratio: 160 / 43; image-rendering: pixelated;
         background: #0b2233; border: 14px solid #111; border-radius: 8px; }
  #buttons { display: flex; gap: 18px; margin: 18px; }
  #buttons button { width: 130px; height: 46px; font-size: 17px; color: #e8e8e8;
         background: #3a3f44; border: 1px solid #6b7177; border-radius: 6px;
         touch-action: none; user-select: none; -webkit-user-select: none; }
  #buttons button.held { background: #8fc7ff; color: #000; }
  #status { font-family: monospace; }
</style>
</head>
<body>
<canvas id="lcd" width="160" height="43"></canvas>
<div id="buttons">
  <button data-bit="1" title="key 1">1</button>
  <button data-bit="2" title="key 2">2</button>
  <button data-bit="4" title="key 3">3</button>
  <button data-bit="8" title="key 4">4</button>
</div>
<div id="status">waiting for the service</div>
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

startStream();
</script>
</body>
</html>
)html";

}  // namespace korvan::virtual_lcd
