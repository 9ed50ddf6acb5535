// One Web Worker of the lab: its own instance of the lab's WebAssembly
// (lab.js, lab.wasm), running one call at a time for the page. A message
// {id, op, args} is answered {id, text} (the lab's JSON or SVG) or
// {id, error}. The page cancels work by ending the worker.
"use strict";
importScripts("lab.js");

// The lab's C functions: their argument types, and that each returns a
// malloc'd UTF-8 string for LabFree. Counts and seeds beyond 2^32 travel as
// decimal text.
const CALLS = {
  limits: ["LabLimits", []],
  ranges: ["LabRanges", ["string"]],
  sample: ["LabSample", ["string", "string", "number", "number"]],
  exactPlan: ["LabExactPlan", ["string", "number"]],
  exactShare: ["LabExactShare", ["string", "string", "string"]],
  merge: ["LabMerge", ["string"]],
  rank: ["LabRank", ["string", "number", "number"]],
  svg: ["LabSvg", ["string", "string"]],
};

const ready = createBrambleLab({
  print: function (text) { console.log(text); },
  printErr: function (text) { console.warn(text); },
});

function call(lab, op, args) {
  const [name, types] = CALLS[op];
  const pointer = lab.ccall(name, "number", types, args);
  if (!pointer)
    throw new Error(name + " returned nothing");
  try {
    return lab.UTF8ToString(pointer);
  } finally {
    lab.ccall("LabFree", null, ["number"], [pointer]);
  }
}

onmessage = function (event) {
  const { id, op, args } = event.data;
  ready.then(function (lab) {
    const started = performance.now();
    const text = call(lab, op, args);
    postMessage({ id: id, text: text, ms: performance.now() - started });
  }).catch(function (error) {
    postMessage({ id: id, error: String(error && error.message || error) });
  });
};
