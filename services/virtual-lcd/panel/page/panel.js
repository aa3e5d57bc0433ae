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
