// The page's address as an interface: what a link holds, read and written
// in one place. A link is input from anyone: everything read here is plain
// text for the page to check, never markup.
//
//   ?seed=S&interval=MS                 a battle (seed modulo 2^32)
//   ?odds=NAME1,NAME2[&battles=N][&seed=S][&exact=1 | &range=FIRST:COUNT[,FIRST:COUNT...]]
//   ?rank=NAME1,NAME2,...[&battles=N][&seed=S]
//
// Names are UTF-8, percent-encoded. The list is split on literal commas
// before each name is decoded, so a comma inside a name is written %2C (a
// percent sign %25); a plus sign is a plus sign, not a blank.
"use strict";
var BrambleLinks = (function () {
  const LIST_KEYS = new Set(["odds", "rank"]);

  // The raw pairs of a query string, values still percent-encoded.
  function rawPairs(search) {
    const pairs = [];
    for (const part of search.replace(/^\?/, "").split("&")) {
      if (!part)
        continue;
      const eq = part.indexOf("=");
      pairs.push(eq < 0 ? [part, ""] : [part.slice(0, eq), part.slice(eq + 1)]);
    }
    return pairs;
  }

  function decode(text) {
    try {
      return decodeURIComponent(text);
    } catch (e) {
      return null;  // a broken escape such as %E4%B8 or %zz
    }
  }

  // The address as {key: value}, lists as arrays of names; `errors` lists
  // what could not be read. The first occurrence of a key wins.
  function read(search) {
    const result = { errors: [] };
    for (const [rawKey, rawValue] of rawPairs(search)) {
      const key = decode(rawKey);
      if (key === null || key in result)
        continue;
      if (LIST_KEYS.has(key)) {
        const names = rawValue === "" ? [] : rawValue.split(",").map(decode);
        if (names.some(function (name) { return name === null; })) {
          result.errors.push(BrambleTexts.text("link_names", { key: key }));
          continue;
        }
        result[key] = names;
      } else {
        const value = decode(rawValue);
        if (value !== null)
          result[key] = value;
      }
    }
    return result;
  }

  function encodeList(names) {
    return names.map(encodeURIComponent).join(",");
  }

  // A single value: percent-encoded, the colon of FIRST:COUNT left as it is.
  function encodeValue(value) {
    return encodeURIComponent(value).replace(/%3A/g, ":");
  }

  // An address from ordered [key, value] pairs; a value that is an array is
  // a list of names.
  function write(pairs) {
    const parts = [];
    for (const [key, value] of pairs) {
      if (value === null || value === undefined || value === "")
        continue;
      parts.push(key + "=" + (Array.isArray(value) ? encodeList(value) : encodeValue(value)));
    }
    return parts.length ? "?" + parts.join("&") : location.pathname;
  }

  // Sets (or, with null, removes) single values in the current address,
  // leaving every other part as it was written.
  function update(changes) {
    const parts = [];
    const done = new Set();
    for (const [key, value] of rawPairs(location.search)) {
      const name = decode(key);
      if (name in changes) {
        if (!done.has(name) && changes[name] !== null)
          parts.push(key + "=" + encodeValue(changes[name]));
        done.add(name);
      } else {
        parts.push(key + "=" + value);
      }
    }
    for (const name of Object.keys(changes))
      if (!done.has(name) && changes[name] !== null)
        parts.push(encodeURIComponent(name) + "=" + encodeValue(changes[name]));
    history.replaceState(null, "", parts.length ? "?" + parts.join("&") : location.pathname);
  }

  // A whole number in decimal within [min, max] (BigInt bounds), as a
  // BigInt, or null.
  function wholeNumber(text, min, max) {
    if (typeof text !== "string" || !/^\d{1,30}$/.test(text))
      return null;
    const value = BigInt(text);
    return value >= min && value <= max ? value : null;
  }

  return { read: read, write: write, update: update, wholeNumber: wholeNumber };
})();
