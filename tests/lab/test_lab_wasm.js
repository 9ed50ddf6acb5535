// The browser's lab (lab.js, lab.wasm) in Node, as a Web Worker would load
// it, against the command line: every function's answer equals the
// brambleworthen-odds JSON (or SVG) for the same question, and runs larger
// than one piece of work finish without a thread.
//
// Usage: node test_lab_wasm.js SITE_DIR PATH_TO_BRAMBLEWORTHEN_ODDS
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const vm = require("vm");
const { execFileSync } = require("child_process");

const [site, odds] = process.argv.slice(2);
// What a Worker has that lab.js looks for; the wasm is handed over.
globalThis.self = globalThis;
globalThis.importScripts = () => {};
globalThis.location = { href: "file://" + site + "/" };
const create = vm.runInThisContext(fs.readFileSync(path.join(site, "lab.js"), "utf8") +
                                   ";createBrambleLab");
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), "bramble-lab-wasm-"));
const env = Object.assign({}, process.env, { LC_ALL: "C.UTF-8" });
const cli = (...args) => execFileSync(odds, args, { cwd: tmp, env, encoding: "utf8" });
let failures = 0;
let passed = 0;
function check(what, got, want) {
  if (got === want) {
    passed++;
  } else {
    failures++;
    console.error(`FAILED: ${what}\n  got:  ${got.slice(0, 300)}\n  want: ${want.slice(0, 300)}`);
  }
}

create({ wasmBinary: fs.readFileSync(path.join(site, "lab.wasm")) }).then((lab) => {
  const call = (name, types, args) => {
    const text = lab.ccall(name, "number", types, args);
    const answer = lab.UTF8ToString(text);
    lab.ccall("LabFree", null, ["number"], [text]);
    return answer;
  };
  const pair = ["string", "string", "number", "number"];

  check("sample of more than one piece", call("LabSample", pair, ["abc", "xyz", 200000, 5]),
        cli("-n", "200000", "-s", "5", "-j", "1", "--format=json", "abc", "xyz"));
  check("sample of names beyond ASCII", call("LabSample", pair, ["张三", "a'b<", 1000, 7]),
        cli("-n", "1000", "-s", "7", "-j", "1", "--format=json", "张三", "a'b<"));
  const first = call("LabExactRange", pair, ["abc", "xyz", 4294900000, 67296]);
  check("share at the end of the states", first, cli("--exact-range=4294900000:67296", "abc", "xyz"));
  const second = call("LabExactRange", pair, ["abc", "xyz", 0, 1000]);
  fs.writeFileSync(path.join(tmp, "a.json"), first);
  fs.writeFileSync(path.join(tmp, "b.json"), second);
  check("merge", call("LabMerge", ["string"], [JSON.stringify([JSON.parse(first), second])]),
        cli("--merge", "--format=json", "a.json", "b.json"));
  fs.writeFileSync(path.join(tmp, "names.txt"), "abc\nxyz\n张三\n");
  const rank = call("LabRank", ["string", "number", "number"], ["abc\nxyz\n张三\n", 70000, 3]);
  check("rank", rank, cli("--rank", "names.txt", "-n", "70000", "-s", "3", "-j", "1", "--format=json",
                          "--svg", "rank.svg"));
  check("heat map", call("LabSvg", ["string"], [rank]), fs.readFileSync(path.join(tmp, "rank.svg"), "utf8"));
  const error = JSON.parse(call("LabSample", pair, ["abc", "abc", 10, 1])).error;
  check("refusal", String(error).includes("the two names are the same") ? "" : String(error), "");

  fs.rmSync(tmp, { recursive: true });
  console.log(`lab wasm: ${passed} passed, ${failures} failed`);
  process.exit(failures ? 1 : 0);
}, (reason) => {
  console.error("lab.wasm did not start:", reason);
  process.exit(1);
});
