// The browser's lab in Node: exact start states per second of processor
// time, the way a Worker plays a share (LabExactRange, one call at a time),
// for one or more built sites side by side (an older build beside this
// one), with each site's lab.wasm size, plain and gzipped.
//
// Usage: node bench/lab_wasm_exact.js SITE_DIR [SITE_DIR...]
//   STATES=4194304 ROUNDS=5 PAIR="abc xyz" choose what is played. The
//   sites take turns, round by round, so that a change of load falls on
//   all of them alike.
"use strict";
const fs = require("fs");
const path = require("path");
const vm = require("vm");
const { execFileSync } = require("child_process");

const sites = process.argv.slice(2);
if (sites.length === 0) {
  console.error("usage: node lab_wasm_exact.js SITE_DIR [SITE_DIR...]");
  process.exit(2);
}
const states = Number(process.env.STATES || 4194304);
const rounds = Number(process.env.ROUNDS || 5);
const [name1, name2] = (process.env.PAIR || "abc xyz").split(" ");

// What a Worker has that lab.js looks for; the wasm is handed over.
globalThis.self = globalThis;
globalThis.importScripts = () => {};

async function load(site) {
  globalThis.location = { href: "file://" + path.resolve(site) + "/" };
  const create = vm.runInThisContext(fs.readFileSync(path.join(site, "lab.js"), "utf8") +
                                     ";createBrambleLab");
  const wasm = fs.readFileSync(path.join(site, "lab.wasm"));
  const lab = await create({ wasmBinary: wasm });
  const gzipped = execFileSync("gzip", ["-9", "-c", path.join(site, "lab.wasm")]).length;
  return { site, lab, bytes: wasm.length, gzipped, rates: [] };
}

// States a processor second for one call of `states` states.
function play(lab, first) {
  const before = process.cpuUsage();
  const text = lab.ccall("LabExactRange", "number", ["string", "string", "number", "number"],
                         [name1, name2, first, states]);
  const used = process.cpuUsage(before);
  const answer = lab.UTF8ToString(text);
  lab.ccall("LabFree", null, ["number"], [text]);
  if (!answer.includes('"kind": "exact"'))
    throw new Error("no share: " + answer.slice(0, 200));
  return states / ((used.user + used.system) / 1e6);
}

(async () => {
  const labs = [];
  for (const site of sites)
    labs.push(await load(site));
  for (let round = 0; round < rounds; round++) {
    for (const entry of labs)
      entry.rates.push(play(entry.lab, round * states));
  }
  const millions = (rate) => (rate / 1e6).toFixed(2);
  console.log(`LabExactRange, ${name1} vs ${name2}, ${states} states a call, ${rounds} rounds`);
  for (const { site, bytes, gzipped, rates } of labs) {
    const sorted = rates.slice().sort((a, b) => a - b);
    console.log(`${site}: lab.wasm ${bytes} bytes, ${gzipped} gzipped; million states a ` +
                `processor second: median ${millions(sorted[sorted.length >> 1])}, ` +
                `${millions(sorted[0])} to ${millions(sorted[sorted.length - 1])}`);
  }
})().catch((reason) => {
  console.error(reason);
  process.exit(1);
});
